#pragma once
#include <string_view>

#include "install/product.h"

// The wizard's own texts, kept together. UTF-8 throughout.
namespace zrv::text {

inline constexpr std::string_view kProduct = product::kName;
inline constexpr std::string_view kWizardCaption = "Zarvelo - Install";

inline constexpr std::string_view kBack = "<< Geri";
inline constexpr std::string_view kNext = "İleri >>";
inline constexpr std::string_view kFinish = "Son";
inline constexpr std::string_view kCancel = "İptal";
inline constexpr std::string_view kChangeDirectory = "Dizin Değiştir";
inline constexpr std::string_view kRunNow = "Şimdi Çalıştır.";
inline constexpr std::string_view kAccept = "Kabul Ediyorum";
inline constexpr std::string_view kDecline = "Hayır, Kabul Etmiyorum";

inline constexpr std::string_view kGreeting =
    "Zarvelo bilgisayarınıza kurulacak. Dizin seçmek için 'İleri' düğmesine tıklayınız.";
inline constexpr std::string_view kDestinationIntro =
    "Zarvelo'yi aşağıdaki dizine kurmak için 'İleri' düğmesine tıklayınız.";
inline constexpr std::string_view kPleaseRead = "Lütfen devam etmeden önce okuyunuz :";

// Seventeen lines, each ended by CR LF; several end with a blank on purpose.
inline constexpr std::string_view kDisclaimer =
    "BU PROGRAM ÜCRETSİZDİR. HİÇBİR \r\n"
    "TEKNİK DESTEK VEYA BAŞKA HERHANGİ \r\n"
    "BİR GARANTİSİ OLMADAN KULLANIMINIZA \r\n"
    "SUNULMUŞTUR. BU PROGRAMI KULLANAN \r\n"
    "KULLANICI, PROGRAMIN KULLANIMINDAN \r\n"
    "DOĞABİLECEK HER TÜRLÜ RİSKİ VE \r\n"
    "SONUÇLARINI ÜSTLENMİŞ VE \r\n"
    "KABULLENMİŞ OLUR.\r\n"
    "PROGRAMCI , BU PROGRAMIN \r\n"
    "KULLANIMINDAN DOĞABİLECEK HİÇBİR \r\n"
    "KAYIP VE ZİYANDAN SORUMLU \r\n"
    "TUTULAMAZ. PROGRAMCININ HİÇBİR \r\n"
    "ŞEKİLDE PROGRAM İLE İLGİLİ  KULLANICIYA \r\n"
    "HERHANGİ BİR DESTEK VERMEYE , \r\n"
    "PROGRAMDA İYİLEŞTİRMELER, \r\n"
    "DÜZELTMELER YAPMAYA, GÜNCELLEMEYE \r\n"
    "HİÇBİR ŞEKİLDE ZORUNLULUĞU YOKTUR.\r\n";

inline constexpr std::string_view kDirectoryNotFound = " dizini bulunamadı!";
inline constexpr std::string_view kErrorTitle = "Hata";

inline constexpr std::string_view kCancelQuestion = "Kurulumu iptal etmek istiyor musunuz?";

// Failures the wizard reports itself, where the system leaves it no other way.
inline constexpr std::string_view kCannotCreateDirectory = " dizini oluşturulamadı!";
inline constexpr std::string_view kDirectoryIsLink = " dizini başka bir yere yönlendiren bir bağlantıdır.";
inline constexpr std::string_view kDirectoryIsFile = " bir dizin değil, bir dosyadır!";
inline constexpr std::string_view kCannotOpenDirectory = " dizini açılamadı!";
// Follows each of the four above.
inline constexpr std::string_view kChooseAnother = " Lütfen başka bir dizin seçiniz.";
inline constexpr std::string_view kCannotStartGame =
    " programı başlatılamadı!";
// The setup runs as administrator and found no way to start the game with
// the user's own rights.
inline constexpr std::string_view kGameNotStartedElevated =
    "Oyun, yönetici haklarıyla çalışmaması için buradan başlatılmadı. "
    "Programı Başlat Menüsünden başlatabilirsiniz.";
inline constexpr std::string_view kNoTempDirectory =
    "Sistemin geçici dizini bulunamadı! Kurulum devam edemiyor.";
inline constexpr std::string_view kNoWindowsDirectory =
    "Windows dizini bulunamadı! Kurulum devam edemiyor.";
inline constexpr std::string_view kSystemPathTooLong =
    " dizininin yolu çok uzun! Kurulum devam edemiyor.";

inline constexpr std::string_view kProgramFiles = "\\Program Files";
inline constexpr std::string_view kDefaultDirUnderDrive = "\\Program Files\\Zarvelo";

}  // namespace zrv::text
