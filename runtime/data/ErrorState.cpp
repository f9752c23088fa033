#include "runtime/data/ErrorState.h"

namespace cdz {

std::string_view errorText(int code) {
    switch (code) {
        case err::kNone:
            return "";
        case err::kFileNotFound:
            return "File Not Found";
        case err::kAccessDenied:
            return "Access Denied";
        case err::kFileLocked:
            return "File Is Locked";
        case err::kRecordNotAvailable:
            return "Record Not Available";
        case err::kRecordNotFound:
            return "Record Not Found";
        case err::kInvalidDataFile:
            return "Invalid Data File";
        case err::kFileNotOpen:
            return "File Not Open";
        case err::kDuplicateKey:
            return "Creates Duplicate Key";
        case err::kKeyFileRebuild:
            return "Invalid Key File";
        case err::kInvalidRecordLayout:
            return "Invalid Record Declaration";
        case err::kTransactionFailed:
            return "Unable To Log Transaction";
        case err::kFileAlreadyOpen:
            return "File Already Open";
        case err::kTransactionActive:
            return "Transaction Already Active";
        case err::kInvalidKeyLength:
            return "Invalid Key Length";
        case err::kRecordChanged:
            return "Record Changed By Another Station";
        case err::kDriverError:
            return "File System Error";
        default:
            return "Unknown Error";
    }
}

}  // namespace cdz
