#pragma once
#include <string_view>

// What the uninstaller says, in Turkish; '<…>' parts are filled in where
// the message is shown. A carriage return starts a new line.
namespace zrv::uninstall_text {

inline constexpr std::string_view kTitle = "Zarvelo Kaldırma";

inline constexpr std::string_view kNotInstalled =
    "Zarvelo bu bilgisayarda kurulu değil; kaldırılacak bir şey bulunamadı.";

// Followed by the recorded folder, then kOtherInstallationEnd.
inline constexpr std::string_view kOtherInstallation = "Zarvelo '";
inline constexpr std::string_view kOtherInstallationMiddle =
    "' klasörüne kurulu; bu kaldırma programı o kuruluma ait değil.\r\r"
    "Lütfen Zarvelo'yu Başlat Menüsündeki \"Uninstall Zarvelo\" ile ya da Denetim Masası'ndan kaldırınız.";

inline constexpr std::string_view kConfirm =
    "Zarvelo 3.0 ve tüm bileşenleri bilgisayarınızdan kaldırılacak.\r\rDevam etmek istiyor musunuz?";

// '<file>' dosyası silinemedi…
inline constexpr std::string_view kFileInUseStart = "'";
inline constexpr std::string_view kFileInUseEnd =
    "' dosyası silinemedi! Dosya kullanımda olabilir.\r\r"
    "Zarvelo açıksa kapatıp \"Yeniden Dene\" düğmesine basınız.";

inline constexpr std::string_view kRemoved = "Zarvelo 3.0 bilgisayarınızdan başarıyla kaldırıldı.";
// After kRemoved, when the folder holds files the setup did not put there.
inline constexpr std::string_view kFolderKeptStart = "\r\r'";
inline constexpr std::string_view kFolderKeptEnd = "' klasörü, içinde başka dosyalar bulunduğu için silinmedi.";
// After an emptied folder that a process works in, in the list of what was left.
inline constexpr std::string_view kFolderInUse =
    " (klasör kullanımda: içinde çalışan bir program ya da komut penceresi kapatıldığında silinebilir)";
// After kRemoved, when the uninstaller's own file goes at the next start.
inline constexpr std::string_view kAtRestartStart = "\r\r'";
inline constexpr std::string_view kAtRestartEnd = "' bilgisayar yeniden başlatıldığında silinecek.";

// Each followed by one line per thing left.
inline constexpr std::string_view kIncomplete = "Zarvelo 3.0 tam olarak kaldırılamadı! Kaldırılamayanlar:";
inline constexpr std::string_view kCancelled = "Kaldırma işlemi yarıda bırakıldı. Kaldırılmayanlar:";
inline constexpr std::string_view kLeftGroup = "Başlat Menüsündeki Zarvelo program grubu";
inline constexpr std::string_view kLeftRegistryStart = "Kayıt defterindeki 'HKEY_LOCAL_MACHINE\\";
inline constexpr std::string_view kLeftRegistryEnd = "' anahtarı";

}  // namespace zrv::uninstall_text
