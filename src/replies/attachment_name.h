// Names of attachment files. An attachment row's column 1 is used as a file
// name inside the attachment folder only when it is a plain name: an imported
// row could otherwise reach files outside the folder.
#pragma once

#include <string>

namespace tovanel::replies {

// The last component of `path`, extension included: the text after the last
// backslash, slash or colon; "" when the path ends with a backslash.
std::string FileNameOfPath(const std::string& path);

// True for a name without backslash, slash or colon that is neither "", "."
// nor "..". Double-byte characters are stepped over, so a GBK trail byte
// 0x5C is part of its character, not a separator.
bool IsPlainFileName(const std::string& name);

}  // namespace tovanel::replies
