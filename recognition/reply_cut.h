// Cutting the candidate pieces out of a recognition reply.
#pragma once
#include <string>
#include <vector>

// The reply is taken as text up to its first zero byte; the candidates lie
// between the first "{" and the first "}". Of the bytes from the "{" (included)
// to the "}" (excluded) the first 7 and the last 7 are dropped, and the rest is
// split on "\" (empty pieces kept, none added for a "\" at the very end).
// Each piece is a JavaScript escape body without its backslash, e.g. u4e00.
// No pieces when a marker is missing, out of order or too close.
std::vector<std::string> CutCandidatePieces(const std::string& replyBytes);
