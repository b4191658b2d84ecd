// The request worker of one HttpFetch call: reads the request from the
// exchange, carries it out over WinINet and writes the provisional record (the
// three handles, before anything is sent) and then the final record.
#pragma once
#include "net/exchange_file.h"

void HttpFetchWorker(HttpExchange& exchange);
