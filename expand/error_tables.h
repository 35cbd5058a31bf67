#pragma once
#include <cstdint>
#include <iterator>
#include <string_view>

namespace zrv::expand {

inline constexpr std::string_view kTitle = "ExpandFiles - Hata!";

// The module's open errors have the codes -1 to -16, each by its place in
// this table (-(place + 1)), so a code finds its message without a search.
// Each known one comes from one Windows error code; the unknown error, last,
// from any other.
struct OpenError {
  std::int16_t windows_code;  // 0 for the unknown error
  std::string_view text;      // a message that names the file begins with the
                              // apostrophe that closes the name
};

// Whether an open error's message names the file.
constexpr bool names_file(std::string_view text) { return text.starts_with('\''); }

inline constexpr OpenError kOpenErrors[] = {
    {2, "' isimli dosya bulunamadı!"},                                    // -1
    {3, "' isimli dosya için yol geçersiz!"},                             // -2
    {4, "Çok sayıda açık dosya var!"},                                    // -3
    {5, "' isimli dosyaya erişim engellendi!"},                           // -4
    {8, "Bellek Yetersiz!"},                                              // -5
    {11, "' isimli dosyanın biçimi geçersiz!"},                           // -6
    {15, "' isimli dosya için verilen sürücü geçersiz!"},                 // -7
    {19, "' isimli dosyaya yazılamıyor!"},                                // -8
    {21, "' isimli dosyanın bulunduğu sürücü hazır değil!"},              // -9
    {23, "' isimli dosyada CRC hatası!"},                                 // -10
    {27, "' isimli dosyanın olduğu sector bulunamadı!"},                  // -11
    {32, "' isimli dosya kullanımda!"},                                   // -12
    {54, "' isimli dosyanın bulunduğu bilgisayar okunamıyor!"},           // -13
    {65, "' isimli dosyanın bulunduğu bilgisayara erişim engellendi!"},   // -14
    {80, "' isimli dosya zaten var!"},                                    // -15
    {0, "' isimli dosya ile ilgili bilinmeyen hata!"},                    // -16
};
inline constexpr std::int32_t kUnknownOpenError = -static_cast<std::int32_t>(std::size(kOpenErrors));
static_assert(kUnknownOpenError == -16, "fifteen known open errors and the unknown one");

// A file in use is asked about with the in-use message, then, where the
// system can tell, a line "Dosyayı kullanan program: <program>", then the
// advice.
inline constexpr std::string_view kProgramUsingFile = "\r\rDosyayı kullanan program: ";
inline constexpr std::string_view kCloseAndRetry =
    "\r\rZarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız.";

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

// The copy failures' messages, by the LZ library's number: the one at place
// i is told for the number -(i + 1), whose result is -100 * (i + 1). Empty:
// no message.
inline constexpr std::string_view kCopyErrorTexts[] = {
    "Kaynak dosya handle numarası yanlış!",    // -100
    "Hedef dosya handle numarası yanlış!",     // -200
    "Kaynak dosya formatı geçersiz!",          // -300
    // A failed write, typically a full disk; without a message a failure of
    // the game program would end the setup without a word.
    "Hedef dosyaya yazılamadı! Disk dolu olabilir.",  // -400
    "Bellek Yetersiz!",                        // -500
    "",                                        // -600
    "",                                        // -700
    "Kaynak dosyanın sıkıştırılması için kullanılmış olan algortima desteklenmiyor!",  // -800
};
static_assert(std::size(kCopyErrorTexts) == -kLzErrorUnknownAlgorithm, "a message for each of the library's numbers");

}  // namespace zrv::expand
