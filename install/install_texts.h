#pragma once
#include <string_view>

// The installation's own texts, kept together. UTF-8 throughout.
namespace zrv::text {

inline constexpr std::string_view kDeletingTempFiles = "Geçici dosyalar siliniyor...";
inline constexpr std::string_view kCopyingFiles =
    "Dosyalar geçici dizine kopyalanıp, install dizinine açılıyor...";
inline constexpr std::string_view kWritingRegistry = "Registry kayıtları yapılıyor...";
inline constexpr std::string_view kCreatingShortcuts = "Kısayollar oluşturuluyor...";
inline constexpr std::string_view kInstalled =
    "Zarvelo'nin kurulumu başarıyla tamamlandı! Programı Başlat Menüsünden başlatabilirsiniz."
    "\r\r"
    "İyi eğlenceler...";
inline constexpr std::string_view kInstalledWithErrors =
    "Zarvelo'nin kurulumu tamamlandı, ancak bazı adımlar başarısız oldu. Ayrıntılar gösterilen "
    "hata iletilerindedir; kurulumu yeniden çalıştırmanız önerilir.";

// The setup file does not hold exactly the payload it was built with.
inline constexpr std::string_view kDamagedSetupFile =
    " kurulum dosyası bozuk veya eksik! Dosya yarıda kalmış ya da değiştirilmiş olabilir.\r\r"
    "Lütfen kurulum programını yeniden indiriniz.";
inline constexpr std::string_view kStagingNotCreated =
    " geçici dizini oluşturulamadı! Kurulum yapılamıyor.";
// Followed by the names of the items neither the shell nor a shortcut file
// could make, one per line.
inline constexpr std::string_view kGroupIncomplete =
    "Başlat Menüsündeki Zarvelo program grubu tamamlanamadı! Oluşturulamayan kısayollar:";

}  // namespace zrv::text
