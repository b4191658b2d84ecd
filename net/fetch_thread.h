// HttpFetch starts its request worker through StartFetchThread, so that a test
// can stand in for CreateThread (for instance to make it fail).
#pragma once

using FetchThreadEntry = unsigned long(__stdcall*)(void* parameter);
// Returns the new thread's handle, or null when no thread could be started.
using FetchThreadStarter = void* (*)(FetchThreadEntry entry, void* parameter);

void* StartFetchThread(FetchThreadEntry entry, void* parameter);
// nullptr restores CreateThread.
void SetFetchThreadStarter(FetchThreadStarter starter);
