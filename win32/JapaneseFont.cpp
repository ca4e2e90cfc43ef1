#include "JapaneseFont.h"

#include <array>
#include <cwchar>

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool HasFace(HDC context, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(context, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

FontHandle CreateJapaneseFont(int points, int dotsPerInch) {
    constexpr std::array<const wchar_t*, 5> kFaces = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"MS UI Gothic",
                                                       L"Meiryo UI", L"Yu Gothic UI"};
    const wchar_t* face = kFaces.front();
    if (const HDC screen = ::GetDC(nullptr)) {
        for (const wchar_t* candidate : kFaces) {
            if (!HasFace(screen, candidate)) continue;
            face = candidate;
            break;
        }
        ::ReleaseDC(nullptr, screen);
    }
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(points, dotsPerInch, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return FontHandle(::CreateFontIndirectW(&font));
}
