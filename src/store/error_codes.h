// Error codes of the record store; 0 means success.
#pragma once

namespace tovanel::store::err {

constexpr int kOk = 0;
constexpr int kUnexpected = -1;
constexpr int kNotFound = -3;
constexpr int kBadPath = -4;
constexpr int kTooManyOpenFiles = -5;
constexpr int kAccessDenied = -6;
constexpr int kInvalidHandle = -7;
constexpr int kRemoveCurrentDir = -8;
constexpr int kDirectoryFull = -9;
constexpr int kBeyondEnd = -10;  // also: bad seek
constexpr int kHardware = -11;
constexpr int kSharingViolation = -12;
constexpr int kLockViolation = -13;
constexpr int kDiskFull = -14;
constexpr int kEndOfFile = -15;
constexpr int kOpenUnexpected = -21;
constexpr int kBadHeader = -22;
constexpr int kBadVersion = -23;
constexpr int kSkipBeforeFirst = -25;
constexpr int kSkipAfterLast = -26;
constexpr int kLockFailed = -28;
constexpr int kNotLocked = -29;
constexpr int kBadLongTextFile = -35;
constexpr int kLongTextVersion = -36;
constexpr int kAlreadyOpen = -38;
constexpr int kNoMemory = -45;
constexpr int kShortFieldRead = -46;
constexpr int kBlockIo = -59;
constexpr int kNoCurrentRecord = -60;
constexpr int kShortRecordRead = -62;
constexpr int kShortCountRead = -65;
constexpr int kNoCurrentTable = -67;
constexpr int kWrongKind = -72;
constexpr int kBadPassword = -78;

}  // namespace tovanel::store::err
