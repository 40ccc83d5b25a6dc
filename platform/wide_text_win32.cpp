#include "platform/wide_text.h"

#include <windows.h>

namespace scenario::platform {

std::wstring in_wide(std::string_view testo) {
    if (testo.empty()) {
        return {};
    }
    const int ingresso = static_cast<int>(testo.size());
    const int lunghezza = MultiByteToWideChar(CP_UTF8, 0, testo.data(), ingresso, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(lunghezza), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, testo.data(), ingresso, wide.data(), lunghezza);
    return wide;
}

std::string da_wide(std::wstring_view testo) {
    if (testo.empty()) {
        return {};
    }
    const int ingresso = static_cast<int>(testo.size());
    const int lunghezza = WideCharToMultiByte(CP_UTF8, 0, testo.data(), ingresso, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(lunghezza), '\0');
    WideCharToMultiByte(CP_UTF8, 0, testo.data(), ingresso, utf8.data(), lunghezza, nullptr, nullptr);
    return utf8;
}

std::string testo_di_sistema(unsigned long codice) {
    wchar_t* testo = nullptr;
    const DWORD lunghezza = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        codice, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
    if (lunghezza == 0 || testo == nullptr) {
        return "system error " + std::to_string(codice);
    }
    std::wstring parole(testo, lunghezza);
    LocalFree(testo);
    // The system ends its messages with a line break.
    while (!parole.empty() && (parole.back() == L'\r' || parole.back() == L'\n' || parole.back() == L' ')) {
        parole.pop_back();
    }
    return da_wide(parole);
}

}  // namespace scenario::platform
