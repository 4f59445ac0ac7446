<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr_TR">
<context>
    <name>AboutView</name>
    <message>
        <source>Mac&apos;inden çıkmayan PDF araç kutusu</source>
        <translation>Bilgisayarından çıkmayan PDF araç kutusu</translation>
    </message>
</context>
<context>
    <name>BannerView</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Dosya yöneticisinde göster</translation>
    </message>
</context>
<context>
    <name>DataPane</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Dosya yöneticisinde göster</translation>
    </message>
</context>
<context>
    <name>GeneralPane</name>
    <message>
        <source>İşlem bitince dosyayı Finder&apos;da göster</source>
        <translation>İşlem bitince dosyayı dosya yöneticisinde göster</translation>
    </message>
    <message>
        <source>Pencere kapanınca menü çubuğu bildirimini göster</source>
        <translation>Pencere kapanınca sistem tepsisi bildirimini göster</translation>
    </message>
    <message>
        <source>Pencereyi kapatınca Leaflow Dock&apos;tan çıkar ve menü çubuğunda çalışmaya devam eder.</source>
        <translation>Pencereyi kapatınca Leaflow görev çubuğundan çıkar ve sistem tepsisinde çalışmaya devam eder.</translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Dosya yöneticisinde göster</translation>
    </message>
</context>
<context>
    <name>NoticePanel</name>
    <message>
        <source>Leaflow menü çubuğunda çalışıyor</source>
        <translation>Leaflow sistem tepsisinde çalışıyor</translation>
    </message>
    <message>
        <source>Araçlar ve son dosyaların menü çubuğundaki ikonda. Pencereyi açmak ya da çıkmak için ona tıkla.</source>
        <translation>Araçlar ve son dosyaların sistem tepsisindeki simgede. Pencereyi açmak ya da çıkmak için ona tıkla.</translation>
    </message>
</context>
<context>
    <name>PrivacyNote</name>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için bağlanır.</source>
        <translation>Leaflow tamamen bu bilgisayarda çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için bağlanır.</translation>
    </message>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete hiç bağlanmaz.</source>
        <translation>Leaflow tamamen bu bilgisayarda çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete hiç bağlanmaz.</translation>
    </message>
</context>
<context>
    <name>SectionText</name>
    <message>
        <source>Bu Mac&apos;te ürettiğin dosyalar.</source>
        <translation>Bu bilgisayarda ürettiğin dosyalar.</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Belgeler bu Mac&apos;te kalır</source>
        <translation>Belgeler bu bilgisayarda kalır</translation>
    </message>
</context>
<context>
    <name>SignaturePanel</name>
    <message>
        <source>İmza bu Mac&apos;ten silinir. Daha önce imzaladığın dosyalar değişmez.</source>
        <translation>İmza bu bilgisayardan silinir. Daha önce imzaladığın dosyalar değişmez.</translation>
    </message>
</context>
<context>
    <name>TrayPopup</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Dosya yöneticisinde göster</translation>
    </message>
</context>
</TS>
