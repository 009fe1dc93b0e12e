#pragma once
// Receiver identification from the code of a "$PXKTR,RID," answer.

#include <string_view>

namespace trix::link {

// The model index for the receiver type code that follows "$PXKTR,RID,"; an unlisted code
// gives 1 (unknown receiver).
int modelFromRid(std::string_view code);

} // namespace trix::link
