#include "recognition/reply_cut.h"

#include "net/text_ops.h"

std::vector<std::string> CutCandidatePieces(const std::string& replyBytes) {
  const std::string text = BytesToText(replyBytes);
  const int open = TextFind(text, "{");
  const int close = TextFind(text, "}");
  // A missing marker gives a start below 1 or a negative count: no span.
  const std::string span = TextMiddle(text, open, close - open);
  const std::string inner = TextMiddle(span, 8, TextLength(span) - 14);
  return TextSplit(inner, "\\");
}
