#include "RuntimeError.h"

namespace Runtime {

std::string DescribeError(std::int32_t number) {
    switch (number) {
    case kOverflow: return "オーバーフローしました。";
    case kOutOfMemory: return "メモリが不足しています。";
    case kBadFileNumber: return "ファイル番号が正しくありません。";
    case kFileNotFound: return "ファイルが見つかりません。";
    case kDiskFull: return "ディスクがいっぱいです。";
    case kNameTooLong: return "パス名が長すぎます。";
    case kTooManyFiles: return "開いているファイルが多すぎます。";
    case kAccessDenied: return "アクセスが拒否されました。";
    case kNotReady: return "ディスクが準備されていません。";
    case kDeviceIo: return "デバイス I/O エラーです。";
    case kPathNotFound: return "パスが見つかりません。";
    default: return "予期しないエラーが発生しました。";
    }
}

RuntimeError MakeError(std::int32_t number) { return {number, DescribeError(number)}; }

std::string RuntimeError::Message() const { return std::to_string(Number) + " " + Description; }

}  // namespace Runtime
