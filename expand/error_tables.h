#pragma once
#include <cstdint>
#include <string_view>

namespace zrv::expand {

inline constexpr std::string_view kTitle = "ExpandFiles - Hata!";

struct OpenError {
  std::int16_t windows_code;
  std::int16_t code;      // -1 to -16
  std::string_view text;  // a message that names the file begins with the
                          // apostrophe that closes the name
};

// Whether an open error's message names the file.
constexpr bool names_file(std::string_view text) { return text.starts_with('\''); }

// Windows error code of a failed open, the module's code, its message.
inline constexpr OpenError kOpenErrors[] = {
    {2, -1, "' isimli dosya bulunamadı!"},
    {3, -2, "' isimli dosya için yol geçersiz!"},
    {4, -3, "Çok sayıda açık dosya var!"},
    {5, -4, "' isimli dosyaya erişim engellendi!"},
    {8, -5, "Bellek Yetersiz!"},
    {11, -6, "' isimli dosyanın biçimi geçersiz!"},
    {15, -7, "' isimli dosya için verilen sürücü geçersiz!"},
    {19, -8, "' isimli dosyaya yazılamıyor!"},
    {21, -9, "' isimli dosyanın bulunduğu sürücü hazır değil!"},
    {23, -10, "' isimli dosyada CRC hatası!"},
    {27, -11, "' isimli dosyanın olduğu sector bulunamadı!"},
    {32, -12, "' isimli dosya kullanımda!"},
    {54, -13, "' isimli dosyanın bulunduğu bilgisayar okunamıyor!"},
    {65, -14, "' isimli dosyanın bulunduğu bilgisayara erişim engellendi!"},
    {80, -15, "' isimli dosya zaten var!"},
};
inline constexpr OpenError kUnknownOpenError{0, -16, "' isimli dosya ile ilgili bilinmeyen hata!"};

// The LZ library's copy failures, by its own numbers; a copy failure's
// result is its number times 100.
inline constexpr std::int32_t kLzErrorBadInHandle = -1;
inline constexpr std::int32_t kLzErrorBadOutHandle = -2;
inline constexpr std::int32_t kLzErrorRead = -3;  // also a damaged compressed stream
inline constexpr std::int32_t kLzErrorWrite = -4;
inline constexpr std::int32_t kLzErrorGlobalAlloc = -5;
inline constexpr std::int32_t kLzErrorGlobalLock = -6;
inline constexpr std::int32_t kLzErrorBadValue = -7;
inline constexpr std::int32_t kLzErrorUnknownAlgorithm = -8;

struct CopyError {
  std::int32_t code;       // the LZ library's result times 100
  std::string_view text;   // empty: no message
};

inline constexpr CopyError kCopyErrors[] = {
    {-100, "Kaynak dosya handle numarası yanlış!"},
    {-200, "Hedef dosya handle numarası yanlış!"},
    {-300, "Kaynak dosya formatı geçersiz!"},
    // A failed write, typically a full disk; without a message a failure of
    // the game program would end the setup without a word.
    {-400, "Hedef dosyaya yazılamadı! Disk dolu olabilir."},
    {-500, "Bellek Yetersiz!"},
    {-600, ""},
    {-700, ""},
    {-800, "Kaynak dosyanın sıkıştırılması için kullanılmış olan algortima desteklenmiyor!"},
};

}  // namespace zrv::expand
