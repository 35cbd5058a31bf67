#pragma once
#include <string_view>

// The folder dialog's texts, kept together. UTF-8 throughout.
namespace zrv::text {

inline constexpr std::string_view kChooseDirectory = "Zarvelo için bir dizin seçin";
inline constexpr std::string_view kAvailableSpace = "Kullanılabilir Alan";
inline constexpr std::string_view kNewDirectoryButton = "&Yeni Dizin";
inline constexpr std::string_view kOkButton = "&Tamam";
inline constexpr std::string_view kKilobytes = " KB";

inline constexpr std::string_view kDriveTitle = "Sürücü";
inline constexpr std::string_view kDriveNotFound = " bulunamadı!";
inline constexpr std::string_view kNoFloppy = "Zarvelo disket sürücüye kurulamaz.";
inline constexpr std::string_view kNoNetwork = "Zarvelo ağ sürücüsüne kurulamaz.";
inline constexpr std::string_view kNoCd = "Zarvelo CD sürücüye kurulamaz.";
inline constexpr std::string_view kNoRam = "Zarvelo RAM sürücüye kurulamaz.";
inline constexpr std::string_view kDriveNotReady = " sürücüsü hazır değil! Lütfen başka bir sürücü seçiniz.";

inline constexpr std::string_view kWarningTitle = "Uyarı";
inline constexpr std::string_view kTooLittleSpace =
    "Sürücüdeki boş yer 500.000 bayttan az.\r"
    "Zarvelo'yi install etmek için daha çok boş yer gerekiyor.";

// Around the most characters a destination may have.
inline constexpr std::string_view kPathTooLong =
    "Seçilen dizinin yolu çok uzun! Zarvelo'nin dosyaları Windows'un yol sınırını aşardı.\r"
    "Lütfen en fazla ";
inline constexpr std::string_view kPathTooLongEnd = " karakterlik bir dizin seçiniz.";

inline constexpr std::string_view kNewDirectoryTitle = "Yeni Dizin";
inline constexpr std::string_view kNewDirectoryPrompt = "Yeni dizin için bir isim girin :";
inline constexpr std::string_view kInvalidCharactersTitle = "Geçersiz Karakterler";
inline constexpr std::string_view kInvalidCharacters = "'\\*?,:' gibi karakterler geçersizdir.";
inline constexpr std::string_view kDirectoryNotMade =
    "' dizini oluşturulamadı! Adı geçersiz olabilir, yol çok uzun olabilir ya da bu konumda dizin "
    "oluşturma izniniz olmayabilir.";
inline constexpr std::string_view kNameIsAFile = "' adında bir dosya var; aynı adla dizin oluşturulamaz.";
inline constexpr std::string_view kDirectoryNotOpened = "' dizini açılamadı!";

}  // namespace zrv::text
