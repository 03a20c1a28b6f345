#include "error_text.h"

#include "store/error_codes.h"

namespace tovanel::rtbtool {
namespace {

const char* Sentence(int code) {
    namespace err = tovanel::store::err;
    switch (code) {
        case err::kOk:
            return "no error";
        case err::kUnexpected:
            return "a file operation failed unexpectedly";
        case err::kNotFound:
            return "the file was not found";
        case err::kBadPath:
            return "the path is not valid or too long";
        case err::kTooManyOpenFiles:
            return "too many files are open";
        case err::kAccessDenied:
            return "access to the file was denied";
        case err::kInvalidHandle:
            return "the file handle is not valid";
        case err::kRemoveCurrentDir:
            return "the current directory cannot be removed";
        case err::kDirectoryFull:
            return "the directory is full";
        case err::kBeyondEnd:
            return "a position lies beyond the end of the file";
        case err::kHardware:
            return "the disk reported an input/output error";
        case err::kSharingViolation:
            return "another program is using the file";
        case err::kLockViolation:
            return "another program holds a lock on the table";
        case err::kDiskFull:
            return "the disk is full";
        case err::kEndOfFile:
            return "the file ended early";
        case err::kOpenUnexpected:
            return "the table could not be opened";
        case err::kBadHeader:
            return "the file is not a table or its header or field list is damaged";
        case err::kBadVersion:
            return "the table was made by a newer version";
        case err::kSkipBeforeFirst:
            return "there is no record before the first";
        case err::kSkipAfterLast:
            return "there is no record after the last";
        case err::kLockFailed:
            return "a lock request failed";
        case err::kNotLocked:
            return "a lock was released that was not held";
        case err::kBadLongTextFile:
            return "the long-text file (.RTL) is missing or damaged";
        case err::kLongTextVersion:
            return "the long-text file belongs to another version";
        case err::kAlreadyOpen:
            return "the table is already open";
        case err::kNoMemory:
            return "there is not enough memory for a value";
        case err::kShortFieldRead:
            return "a field could not be read in full";
        case err::kBlockIo:
            return "a long-text block could not be read or written";
        case err::kNoCurrentRecord:
            return "there is no current record";
        case err::kShortRecordRead:
            return "a record could not be read in full";
        case err::kShortCountRead:
            return "the record count could not be read";
        case err::kNoCurrentTable:
            return "no table is open";
        case err::kWrongKind:
            return "a value does not match its field's kind";
        case err::kBadPassword:
            return "the password is missing or wrong";
        default:
            return "the store reported an unknown error";
    }
}

}  // namespace

std::string DescribeStoreError(int code) {
    return "error " + std::to_string(code) + ": " + Sentence(code);
}

}  // namespace tovanel::rtbtool
