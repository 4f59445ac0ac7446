<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutView</name>
    <message>
        <source>Dosyaları sürükle, sırala, tek PDF yap</source>
        <translation>Drag, order, make one PDF</translation>
    </message>
    <message>
        <source>Sayfa sayfa, sabit aralıkla ya da yazdığın aralıklarla</source>
        <translation>Page by page, at a fixed interval or by the ranges you type</translation>
    </message>
    <message>
        <source>Üç düzey; metin seçilebilir kalır</source>
        <translation>Three levels; text stays selectable</translation>
    </message>
    <message>
        <source>İmzanı çiz ya da görselden al, sayfaya yerleştir</source>
        <translation>Draw your signature or take it from an image, place it on the page</translation>
    </message>
    <message>
        <source>Sayfaları gör, seç, kalanı kaydet</source>
        <translation>See the pages, pick some, save the rest</translation>
    </message>
    <message>
        <source>Mac&apos;inden çıkmayan PDF araç kutusu</source>
        <translation>The PDF toolbox that never leaves your computer</translation>
    </message>
    <message>
        <source>E-posta gönder</source>
        <translation>Send email</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Sürüm %1 (%2) · Linux</source>
        <translation>Version %1 (%2) · Linux</translation>
    </message>
    <message>
        <source>Kayıtlı imza: %1 · Geçmiş kaydı: %2</source>
        <translation>Saved signatures: %1 · History records: %2</translation>
    </message>
    <message>
        <source>Sayfaları döndür, sırala, çıkar, ekle</source>
        <translation>Rotate, reorder, extract and insert pages</translation>
    </message>
    <message>
        <source>Taramalara görünmez metin katmanı; Türkçe, İngilizce, İspanyolca</source>
        <translation>An invisible text layer over scans; Turkish, English, Spanish</translation>
    </message>
</context>
<context>
    <name>AboutWindow</name>
    <message>
        <source>Leaflow hakkında</source>
        <translation>About Leaflow</translation>
    </message>
</context>
<context>
    <name>BannerView</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Show in file manager</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>BrandHeader</name>
    <message>
        <source>Leaflow hakkında</source>
        <translation>About Leaflow</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ayarlar (%1)</source>
        <translation>Settings (%1)</translation>
    </message>
</context>
<context>
    <name>Button</name>
    <message>
        <source>%%1</source>
        <translation>%1%</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesButton</name>
    <message>
        <source>Güncellemeleri denetle…</source>
        <translation>Check for updates…</translation>
    </message>
</context>
<context>
    <name>CompressScreen</name>
    <message>
        <source>Hafif</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Dengeli</source>
        <translation>Balanced</translation>
    </message>
    <message>
        <source>Güçlü</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Baskı için uygun. Görseller neredeyse aynı kalır.</source>
        <translation>Good for printing. Images stay almost the same.</translation>
    </message>
    <message>
        <source>Ekranda okumak ve e-postayla göndermek için.</source>
        <translation>For reading on screen and sending by email.</translation>
    </message>
    <message>
        <source>En küçük dosya. Görsellerde bozulma fark edilir.</source>
        <translation>Smallest file. Image quality loss is noticeable.</translation>
    </message>
    <message>
        <source>PDF ekle</source>
        <translation>Add PDF</translation>
    </message>
    <message>
        <source>Küçültülecek PDF&apos;leri buraya bırak</source>
        <translation>Drop the PDFs to shrink here</translation>
    </message>
    <message>
        <source>Görseller küçültülür, metin ve çizimler olduğu gibi kalır. Asıl dosya değişmez.</source>
        <translation>Images are made smaller; text and drawings stay as they are. The original file is not changed.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Sıkıştır…</source>
        <translation>Compress…</translation>
    </message>
    <message>
        <source>Düzey</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Küçülmedi</source>
        <translation>Not smaller</translation>
    </message>
    <message>
        <source>→ %1</source>
        <translation>→ %1</translation>
    </message>
    <message>
        <source>Dosya: %1 · %2</source>
        <translation>Files: %1 · %2</translation>
    </message>
    <message>
        <source>Sıkıştırılacak dosyalar</source>
        <translation>Files to compress</translation>
    </message>
</context>
<context>
    <name>ContainedRun</name>
    <message>
        <source>%1 işlenemedi: süre doldu.</source>
        <translation>%1 could not be processed: the time limit ran out.</translation>
    </message>
    <message>
        <source>%1 işlenemedi: bellek yetmedi.</source>
        <translation>%1 could not be processed: there was not enough memory.</translation>
    </message>
    <message>
        <source>%1 işlenemedi: işlem beklenmedik biçimde sona erdi.</source>
        <translation>%1 could not be processed: the process ended unexpectedly.</translation>
    </message>
</context>
<context>
    <name>DataPane</name>
    <message>
        <source>Geçmişi temizle…</source>
        <translation>Clear history…</translation>
    </message>
    <message>
        <source>Veri klasörü</source>
        <translation>Data folder</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Show in file manager</translation>
    </message>
    <message>
        <source>Kayıtlı imza</source>
        <translation>Saved signatures</translation>
    </message>
    <message>
        <source>Geçmiş kaydı</source>
        <translation>History records</translation>
    </message>
    <message>
        <source>İmzaların ve geçmiş listen bu klasörde durur. Eklediğin PDF&apos;ler kopyalanmaz, yalnız okunur. Parolalar kaydedilmez.</source>
        <translation>Your signatures and your history list live in this folder. The PDFs you add are not copied, only read. Passwords are never saved.</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Göster</source>
        <translation>Show</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Bu klasöre kaydet</source>
        <translation>Save to this folder</translation>
    </message>
    <message>
        <source>Görseller (%1)</source>
        <translation>Images (%1)</translation>
    </message>
</context>
<context>
    <name>DropZone</name>
    <message>
        <source>Dosya seç…</source>
        <translation>Choose file…</translation>
    </message>
</context>
<context>
    <name>FileDisplay</name>
    <message>
        <source>Sayfa: %1 · %2</source>
        <translation>Pages: %1 · %2</translation>
    </message>
    <message>
        <source>%1, %2 sayfa, %3</source>
        <translation>%1, %2 pages, %3</translation>
    </message>
    <message>
        <source>Sayfa: %1 / %2 · %3</source>
        <translation>Pages: %1 / %2 · %3</translation>
    </message>
    <message>
        <source>%1, %2 sayfadan %3 sayfa, %4</source>
        <translation>%1, %3 of %2 pages, %4</translation>
    </message>
</context>
<context>
    <name>FileRow</name>
    <message>
        <source>Listeden çıkar</source>
        <translation>Remove from list</translation>
    </message>
    <message>
        <source>%1 dosyasını listeden kaldır</source>
        <translation>Remove %1 from the list</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>%1 bir klasör değil.</source>
        <translation>%1 is not a folder.</translation>
    </message>
    <message>
        <source>%1 klasörü yok.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>Klasör oluşturulsun ve dosyalar oraya kaydedilsin mi?</source>
        <translation>Create the folder and save the files there?</translation>
    </message>
    <message>
        <source>Oluştur</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 klasörü oluşturulamadı.</source>
        <translation>Couldn&apos;t create the folder %1.</translation>
    </message>
</context>
<context>
    <name>Formatting</name>
    <message>
        <source>Sıfır bayt</source>
        <translation>Zero bytes</translation>
    </message>
    <message>
        <source>1 bayt</source>
        <translation>1 byte</translation>
    </message>
    <message>
        <source>%1 bayt</source>
        <translation>%1 bytes</translation>
    </message>
</context>
<context>
    <name>GeneralPane</name>
    <message>
        <source>İşlem bitince dosyayı Finder&apos;da göster</source>
        <translation>Show the file in the file manager when done</translation>
    </message>
    <message>
        <source>Pencere kapanınca menü çubuğu bildirimini göster</source>
        <translation>Show the system tray notice when the window closes</translation>
    </message>
    <message>
        <source>Sıkıştırma düzeyi</source>
        <translation>Compression level</translation>
    </message>
    <message>
        <source>Pencereyi kapatınca Leaflow Dock&apos;tan çıkar ve menü çubuğunda çalışmaya devam eder.</source>
        <translation>When you close the window, Leaflow leaves the taskbar and keeps running in the system tray.</translation>
    </message>
    <message>
        <source>Güncelleme</source>
        <translation>Updates</translation>
    </message>
</context>
<context>
    <name>HelperProcess</name>
    <message>
        <source>Leaflow eksik kurulmuş: %1 bulunamadı.</source>
        <translation>Leaflow is not installed completely: %1 is missing.</translation>
    </message>
    <message>
        <source>Leaflow eksik kurulmuş: %1 başlatılamadı.</source>
        <translation>Leaflow is not installed completely: %1 could not be started.</translation>
    </message>
</context>
<context>
    <name>HistoryDisplay</name>
    <message>
        <source>%1 dosya · %2</source>
        <translation>%1 files · %2</translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>Dosya taşınmış ya da silinmiş</source>
        <translation>File moved or deleted</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Show in file manager</translation>
    </message>
    <message>
        <source>%1 dosyasını dosya yöneticisinde göster</source>
        <translation>Show %1 in the file manager</translation>
    </message>
    <message>
        <source>%1 dosyayı dosya yöneticisinde göster</source>
        <translation>Show %1 files in the file manager</translation>
    </message>
</context>
<context>
    <name>HistoryScreen</name>
    <message>
        <source>Geçmişi temizle…</source>
        <translation>Clear history…</translation>
    </message>
    <message>
        <source>Henüz kayıt yok</source>
        <translation>No records yet</translation>
    </message>
    <message>
        <source>Bir araçla dosya ürettiğinde burada görünür. Soldan bir araç seç ve PDF ekle.</source>
        <translation>Files you make with a tool appear here. Choose a tool on the left and add a PDF.</translation>
    </message>
    <message>
        <source>Geçmiş temizlensin mi?</source>
        <translation>Clear the history?</translation>
    </message>
    <message>
        <source>Yalnız liste temizlenir. Ürettiğin dosyalar yerinde kalır.</source>
        <translation>Only the list is cleared. The files you made stay where they are.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Geçmiş kayıtları</source>
        <translation>History records</translation>
    </message>
</context>
<context>
    <name>InkArea</name>
    <message>
        <source>İmza çizim alanı</source>
        <translation>Signature drawing area</translation>
    </message>
</context>
<context>
    <name>InkPicker</name>
    <message>
        <source>Mavi</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Siyah</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Mürekkep</source>
        <translation>Ink</translation>
    </message>
</context>
<context>
    <name>LanguagePicker</name>
    <message>
        <source>Sistem dili</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Yeni dil, uygulama yeniden açılınca geçerli olur.</source>
        <translation>The new language takes effect when the app is reopened.</translation>
    </message>
    <message>
        <source>Yeniden aç</source>
        <translation>Reopen</translation>
    </message>
    <message>
        <source>Dil</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Leaflow yeniden açılamadı. Yeni dil, Leaflow&apos;u kapatıp açınca geçerli olur.</source>
        <translation>Leaflow could not be reopened. The new language takes effect once you quit and open Leaflow.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Dosya</source>
        <translation>File</translation>
    </message>
    <message>
        <source>PDF ekle…</source>
        <translation>Add PDF…</translation>
    </message>
    <message>
        <source>Sonucu kaydet…</source>
        <translation>Save result…</translation>
    </message>
    <message>
        <source>Çık</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Araçlar</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Ayarlar…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>Yardım</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Leaflow hakkında</source>
        <translation>About Leaflow</translation>
    </message>
</context>
<context>
    <name>MergeRow</name>
    <message>
        <source>Sayfalar: tümü</source>
        <translation>Pages: all</translation>
    </message>
    <message>
        <source>%1 sayfaları</source>
        <translation>Pages of %1</translation>
    </message>
</context>
<context>
    <name>MergeScreen</name>
    <message>
        <source>PDF ekle</source>
        <translation>Add PDF</translation>
    </message>
    <message>
        <source>PDF&apos;leri buraya bırak</source>
        <translation>Drop PDFs here</translation>
    </message>
    <message>
        <source>İki ya da daha çok dosya ekle. Sırayı sonra sürükleyerek değiştirebilirsin.</source>
        <translation>Add two or more files. You can drag them into a different order later.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Birleştir…</source>
        <translation>Merge…</translation>
    </message>
    <message>
        <source>Birleştirmek için en az iki PDF ekle.</source>
        <translation>Add at least two PDFs to merge.</translation>
    </message>
    <message>
        <source>Dosya: %1 · Sayfa: %2 · %3</source>
        <translation>Files: %1 · Pages: %2 · %3</translation>
    </message>
    <message>
        <source>Birleştirilecek dosyalar</source>
        <translation>Files to merge</translation>
    </message>
</context>
<context>
    <name>NoticePanel</name>
    <message>
        <source>Leaflow menü çubuğunda çalışıyor</source>
        <translation>Leaflow is running in the system tray</translation>
    </message>
    <message>
        <source>Araçlar ve son dosyaların menü çubuğundaki ikonda. Pencereyi açmak ya da çıkmak için ona tıkla.</source>
        <translation>Your tools and recent files are in its tray icon. Click it to open the window or quit.</translation>
    </message>
    <message>
        <source>Tamam</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Bir daha gösterme</source>
        <translation>Don&apos;t show again</translation>
    </message>
</context>
<context>
    <name>OcrScreen</name>
    <message>
        <source>Türkçe</source>
        <translation>Turkish</translation>
    </message>
    <message>
        <source>İngilizce</source>
        <translation>English</translation>
    </message>
    <message>
        <source>İspanyolca</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>PDF ekle</source>
        <translation>Add PDF</translation>
    </message>
    <message>
        <source>Taranmış PDF&apos;leri buraya bırak</source>
        <translation>Drop the scanned PDFs here</translation>
    </message>
    <message>
        <source>Sayfaların resmi okunur, üstüne görünmez bir metin katmanı konur: arama, kopyalama ve sesli okuma çalışır. Asıl dosya değişmez, hiçbir şey bilgisayardan çıkmaz.</source>
        <translation>Each page&apos;s picture is read and an invisible text layer is laid over it, so search, copying and reading aloud work. The original file does not change, and nothing leaves this computer.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Metni tanı…</source>
        <translation>Recognize text…</translation>
    </message>
    <message>
        <source>Yan yatmış sayfaları düzelt</source>
        <translation>Turn sideways pages upright</translation>
    </message>
    <message>
        <source>Yan ya da ters taranmış sayfalar dik çevrilir.</source>
        <translation>Pages scanned sideways or upside down are turned upright.</translation>
    </message>
    <message>
        <source>Tanınmış sayfaları yeniden tanı</source>
        <translation>Recognize recognized pages again</translation>
    </message>
    <message>
        <source>Bu aracın daha önce eklediği metin katmanı yenilenir. Başka bir programın koyduğu metne dokunulmaz.</source>
        <translation>The text layer this tool added before is renewed. Text another program put there is left alone.</translation>
    </message>
    <message>
        <source>Metni tanınacak dosyalar</source>
        <translation>Files to recognize</translation>
    </message>
    <message>
        <source>Diller</source>
        <translation>Languages</translation>
    </message>
    <message>
        <source>Tanıma dili</source>
        <translation>Recognition language</translation>
    </message>
    <message>
        <source>Tüm sayfalar zaten aranabilir</source>
        <translation>Every page is already searchable</translation>
    </message>
    <message>
        <source>Dosya: %1 · %2</source>
        <translation>Files: %1 · %2</translation>
    </message>
    <message>
        <source>En az bir dil seç.</source>
        <translation>Choose at least one language.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln sayfa tanındı</source>
        <translation>
            <numerusform>%Ln page recognized</numerusform>
            <numerusform>%Ln pages recognized</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln zaten aranabilir</source>
        <translation>
            <numerusform>%Ln already searchable</numerusform>
            <numerusform>%Ln already searchable</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sayfa döndürüldü</source>
        <translation>
            <numerusform>%Ln page turned</numerusform>
            <numerusform>%Ln pages turned</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OrganizeScreen</name>
    <message>
        <source>Geri al</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Yinele</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Sıfırla</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>PDF&apos;i buraya bırak</source>
        <translation>Drop a PDF here</translation>
    </message>
    <message>
        <source>Sayfaları döndürür, sıralar, çoğaltır ya da silersin. Asıl dosya değişmez.</source>
        <translation>Turn, reorder, duplicate or delete its pages. The original file is not changed.</translation>
    </message>
    <message>
        <source>Sola döndür</source>
        <translation>Rotate left</translation>
    </message>
    <message>
        <source>Sağa döndür</source>
        <translation>Rotate right</translation>
    </message>
    <message>
        <source>Çoğalt</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>Sil</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>PDF ekle…</source>
        <translation>Add PDF…</translation>
    </message>
    <message>
        <source>Seçilenleri ayrı kaydet…</source>
        <translation>Save selected separately…</translation>
    </message>
    <message>
        <source>Kaydet…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>%1 sayfa · %2 seçili</source>
        <translation>%1 pages · %2 selected</translation>
    </message>
    <message>
        <source>%1 sayfa</source>
        <translation>%1 pages</translation>
    </message>
</context>
<context>
    <name>PDFEngine</name>
    <message>
        <source>Dosyaların hiçbiri daha fazla küçülmedi. Hepsi zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.</source>
        <translation>None of the files got any smaller. They all seem compressed already; no new file was written.</translation>
    </message>
    <message>
        <source>%1 sıkıştırılamadı.</source>
        <translation>%1 could not be compressed.</translation>
    </message>
    <message>
        <source>Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.</source>
        <translation>It did not get any smaller. The file already seems compressed; no new file was written.</translation>
    </message>
    <message>
        <source>En az bir sayfa kalmalı.</source>
        <translation>At least one page must remain.</translation>
    </message>
    <message>
        <source>%1 açılamadı. Dosya bozuk ya da PDF değil.</source>
        <translation>%1 could not be opened. The file is damaged or not a PDF.</translation>
    </message>
    <message>
        <source>%1 parola korumalı. Dosyayı yeniden ekleyip parolasını gir.</source>
        <translation>%1 is password protected. Add the file again and enter its password.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Klasöre yazma iznin olduğundan emin ol.</source>
        <translation>%1 could not be written. Make sure you can write to the folder.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Kaydedilecek klasör bulunamadı: %2</source>
        <translation>%1 could not be written. The folder to save in was not found: %2</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Dosya adı bu klasör için çok uzun; daha kısa bir ad seç.</source>
        <translation>%1 could not be written. The file name is too long for this folder; choose a shorter name.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Diskte yeterli yer yok; yer açıp yeniden dene.</source>
        <translation>%1 could not be written. There is not enough space on the disk; free some space and try again.</translation>
    </message>
    <message>
        <source>Aralık yaz. Örnek: 1-3, 5, 8-12</source>
        <translation>Type a range. Example: 1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>“%1” anlaşılmadı. Örnek: 1-3, 5, 8-12</source>
        <translation>“%1” was not understood. Example: 1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>Bu PDF %1 sayfa. “%2” bunun dışında kalıyor.</source>
        <translation>This PDF has %1 pages. “%2” falls outside it.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Metin tanıma bu kurulumda kullanılamıyor.</source>
        <translation>Text recognition is not available in this installation.</translation>
    </message>
    <message>
        <source>Tanınan metin %1 dosyasına eklenemedi.</source>
        <translation>The recognized text could not be added to %1.</translation>
    </message>
    <message>
        <source>İmza resimleri bu kurulumda okunamıyor.</source>
        <translation>Signature images cannot be read in this installation.</translation>
    </message>
</context>
<context>
    <name>PageGrid</name>
    <message>
        <source>Sayfalar</source>
        <translation>Pages</translation>
    </message>
</context>
<context>
    <name>PageGridModel</name>
    <message>
        <source>Sayfa %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1, döndürülmüş %2°</source>
        <translation>%1, rotated %2°</translation>
    </message>
</context>
<context>
    <name>PagesScreen</name>
    <message>
        <source>Seçimi ters çevir</source>
        <translation>Invert selection</translation>
    </message>
    <message>
        <source>Seçimi temizle</source>
        <translation>Clear selection</translation>
    </message>
    <message>
        <source>PDF&apos;i buraya bırak</source>
        <translation>Drop a PDF here</translation>
    </message>
    <message>
        <source>Sayfaları görürsün, silmek istediklerine tıklarsın. Asıl dosya değişmez.</source>
        <translation>You&apos;ll see its pages; click the ones you want to delete. The original file is not changed.</translation>
    </message>
    <message>
        <source>Seçili sayfaları sil…</source>
        <translation>Delete selected pages…</translation>
    </message>
    <message>
        <source>En az bir sayfa kalmalı.</source>
        <translation>At least one page must remain.</translation>
    </message>
    <message>
        <source>Silinecek: %1 · Kalacak: %2</source>
        <translation>To delete: %1 · To keep: %2</translation>
    </message>
    <message>
        <source>Silmek istediğin sayfalara tıkla.</source>
        <translation>Click the pages you want to delete.</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>%1 parola korumalı</source>
        <translation>%1 is password protected</translation>
    </message>
    <message>
        <source>Parolayı gir. Parola yalnız bu oturumda kullanılır ve kaydedilmez. Çıktı dosyası parolasız olur.</source>
        <translation>Enter the password. It is used only in this session and is not saved. The output file will have no password.</translation>
    </message>
    <message>
        <source>Parola yanlış. Yeniden dene.</source>
        <translation>Wrong password. Try again.</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Parola gerekli: %1</source>
        <translation>Password required: %1</translation>
    </message>
    <message>
        <source>%1 için parola</source>
        <translation>Password for %1</translation>
    </message>
</context>
<context>
    <name>PlacementView</name>
    <message>
        <source>Ok tuşları imzayı taşır, Shift ile daha çok. + ve - boyutlandırır, Delete kaldırır.</source>
        <translation>The arrow keys move the signature, further with Shift. + and - resize it, Delete removes it.</translation>
    </message>
    <message>
        <source>%1. imza (%2)</source>
        <translation>Signature %1 (%2)</translation>
    </message>
    <message>
        <source>%1. imza</source>
        <translation>Signature %1</translation>
    </message>
    <message>
        <source>%1: soldan %2, üstten %3, genişlik %4</source>
        <translation>%1: %2 from the left, %3 from the top, %4 wide</translation>
    </message>
    <message>
        <source>%1. imzayı sayfadan kaldır</source>
        <translation>Remove signature %1 from the page</translation>
    </message>
</context>
<context>
    <name>PrivacyNote</name>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için bağlanır.</source>
        <translation>Leaflow runs entirely on this computer. Your documents are never uploaded anywhere. No account, and we collect no data. The app goes online only to check for a new version.</translation>
    </message>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete hiç bağlanmaz.</source>
        <translation>Leaflow runs entirely on this computer. Your documents are never uploaded anywhere. No account, and we collect no data. The app never goes online.</translation>
    </message>
</context>
<context>
    <name>QuitGuard</name>
    <message>
        <source>Bir işlem sürüyor.</source>
        <translation>A task is still running.</translation>
    </message>
    <message>
        <source>Çıkarsan işlem durdurulur ve hiçbir dosya kaydedilmez.</source>
        <translation>If you quit, it is stopped and no file is saved.</translation>
    </message>
    <message>
        <source>Durdur ve çık</source>
        <translation>Stop and quit</translation>
    </message>
    <message>
        <source>Sürdür</source>
        <translation>Keep running</translation>
    </message>
</context>
<context>
    <name>Recognition</name>
    <message>
        <source>Türkçe</source>
        <translation>Turkish</translation>
    </message>
    <message>
        <source>İngilizce</source>
        <translation>English</translation>
    </message>
    <message>
        <source>İspanyolca</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>sayfa yönü</source>
        <translation>page orientation</translation>
    </message>
    <message>
        <source>Tanıma verisi kurulu değil: %1</source>
        <translation>Recognition data is not installed: %1</translation>
    </message>
    <message>
        <source>Tanınan metin geçici bir dosyaya yazılamadı; diskte yer olduğundan emin ol.</source>
        <translation>The recognized text could not be written to a temporary file; make sure the disk has free space.</translation>
    </message>
    <message>
        <source>Bir sayfanın metni tanınamadı.</source>
        <translation>The text of a page could not be recognized.</translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message>
        <source>geçen yıl</source>
        <translation>last year</translation>
    </message>
    <message>
        <source>gelecek yıl</source>
        <translation>next year</translation>
    </message>
    <message numerus="yes">
        <source>%n yıl önce</source>
        <translation>
            <numerusform>%n year ago</numerusform>
            <numerusform>%n years ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n yıl sonra</source>
        <translation>
            <numerusform>in %n year</numerusform>
            <numerusform>in %n years</numerusform>
        </translation>
    </message>
    <message>
        <source>geçen ay</source>
        <translation>last month</translation>
    </message>
    <message>
        <source>gelecek ay</source>
        <translation>next month</translation>
    </message>
    <message numerus="yes">
        <source>%n ay önce</source>
        <translation>
            <numerusform>%n month ago</numerusform>
            <numerusform>%n months ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ay sonra</source>
        <translation>
            <numerusform>in %n month</numerusform>
            <numerusform>in %n months</numerusform>
        </translation>
    </message>
    <message>
        <source>geçen hafta</source>
        <translation>last week</translation>
    </message>
    <message>
        <source>gelecek hafta</source>
        <translation>next week</translation>
    </message>
    <message numerus="yes">
        <source>%n hafta önce</source>
        <translation>
            <numerusform>%n week ago</numerusform>
            <numerusform>%n weeks ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hafta sonra</source>
        <translation>
            <numerusform>in %n week</numerusform>
            <numerusform>in %n weeks</numerusform>
        </translation>
    </message>
    <message>
        <source>dün</source>
        <translation>yesterday</translation>
    </message>
    <message>
        <source>yarın</source>
        <translation>tomorrow</translation>
    </message>
    <message numerus="yes">
        <source>%n gün önce</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n gün sonra</source>
        <translation>
            <numerusform>in %n day</numerusform>
            <numerusform>in %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saat önce</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saat sonra</source>
        <translation>
            <numerusform>in %n hour</numerusform>
            <numerusform>in %n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n dakika önce</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n dakika sonra</source>
        <translation>
            <numerusform>in %n minute</numerusform>
            <numerusform>in %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saniye önce</source>
        <translation>
            <numerusform>%n second ago</numerusform>
            <numerusform>%n seconds ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saniye sonra</source>
        <translation>
            <numerusform>in %n second</numerusform>
            <numerusform>in %n seconds</numerusform>
        </translation>
    </message>
    <message>
        <source>şimdi</source>
        <translation>now</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>İmzayı sayfadan kaldır</source>
        <translation>Remove signature from page</translation>
    </message>
</context>
<context>
    <name>ResizeHandle</name>
    <message>
        <source>Boyutlandır</source>
        <translation>Resize</translation>
    </message>
</context>
<context>
    <name>RunButton</name>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>SectionText</name>
    <message>
        <source>Birleştir</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Böl</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>Sıkıştır</source>
        <translation>Compress</translation>
    </message>
    <message>
        <source>İmzala</source>
        <translation>Sign</translation>
    </message>
    <message>
        <source>Sayfa sil</source>
        <translation>Delete pages</translation>
    </message>
    <message>
        <source>Geçmiş</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Birden çok PDF&apos;i sırayla tek dosyada toplar.</source>
        <translation>Combines several PDFs, in order, into one file.</translation>
    </message>
    <message>
        <source>Bir PDF&apos;i sayfalara ya da aralıklara ayırır.</source>
        <translation>Splits a PDF into pages or ranges.</translation>
    </message>
    <message>
        <source>Görselleri küçültür, metin seçilebilir kalır.</source>
        <translation>Shrinks images; text stays selectable.</translation>
    </message>
    <message>
        <source>İmzanı çiz ya da görselden al, sayfaya yerleştir.</source>
        <translation>Draw your signature or take it from an image, and place it on the page.</translation>
    </message>
    <message>
        <source>İstemediğin sayfaları seç, kalanı yeni dosyaya kaydet.</source>
        <translation>Select the pages you don&apos;t want and save the rest as a new file.</translation>
    </message>
    <message>
        <source>Bu Mac&apos;te ürettiğin dosyalar.</source>
        <translation>Files you made on this computer.</translation>
    </message>
    <message>
        <source>Düzenle</source>
        <translation>Organize</translation>
    </message>
    <message>
        <source>Sayfaları döndür, sırala, çıkar, başka PDF&apos;ten sayfa ekle.</source>
        <translation>Rotate, reorder and extract pages, or add pages from another PDF.</translation>
    </message>
    <message>
        <source>Metin tanıma</source>
        <translation>Recognize text</translation>
    </message>
    <message>
        <source>Taranmış sayfaları aranabilir yapar, bu bilgisayarda, internetsiz.</source>
        <translation>Makes scanned pages searchable, on this computer, offline.</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Genel</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Veri</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Hakkında</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Ayarlar bölümleri</source>
        <translation>Settings sections</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Araçlar</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Kayıtlar</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Belgeler bu Mac&apos;te kalır</source>
        <translation>Documents stay on this computer</translation>
    </message>
</context>
<context>
    <name>SidebarRow</name>
    <message numerus="yes">
        <source>%1, %n dosya</source>
        <translation>
            <numerusform>%1, %n file</numerusform>
            <numerusform>%1, %n files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SignCanvas</name>
    <message>
        <source>İmleç soldan %1, üstten %2. Ok tuşları imleci taşır; Enter seçilen imzayı buraya koyar.</source>
        <translation>Cursor %1 from the left, %2 from the top. The arrow keys move the cursor; Enter puts the chosen signature here.</translation>
    </message>
</context>
<context>
    <name>SignPager</name>
    <message>
        <source>Önceki sayfa</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Sonraki sayfa</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Sayfa %1 / %2</source>
        <translation>Page %1 / %2</translation>
    </message>
    <message>
        <source>Yerleştirilen imza: %1</source>
        <translation>Placed signatures: %1</translation>
    </message>
</context>
<context>
    <name>SignView</name>
    <message>
        <source>Sayfaya görsel imza ekler. Sertifikalı dijital imza değildir.</source>
        <translation>Adds a visible signature image to the page. It is not a certified digital signature.</translation>
    </message>
    <message>
        <source>İmzalı kopyayı kaydet…</source>
        <translation>Save signed copy…</translation>
    </message>
    <message>
        <source>Başka dosya…</source>
        <translation>Other file…</translation>
    </message>
    <message>
        <source>Dosyayı kaldır</source>
        <translation>Remove file</translation>
    </message>
    <message>
        <source>İmzalanacak PDF&apos;i buraya bırak</source>
        <translation>Drop the PDF to sign here</translation>
    </message>
    <message>
        <source>İmzanı sağdan seç, sayfada istediğin yere sürükle.</source>
        <translation>Pick your signature on the right and drag it anywhere on the page.</translation>
    </message>
    <message>
        <source>%1 dosyasını kaldır</source>
        <translation>Remove %1</translation>
    </message>
</context>
<context>
    <name>SignatureCard</name>
    <message>
        <source>İmzayı sil</source>
        <translation>Delete signature</translation>
    </message>
    <message>
        <source>%1 adlı imzayı sayfaya koy</source>
        <translation>Place signature %1 on the page</translation>
    </message>
    <message>
        <source>%1 adlı imzayı sil</source>
        <translation>Delete signature %1</translation>
    </message>
</context>
<context>
    <name>SignatureLibrary</name>
    <message>
        <source>İmza %1</source>
        <translation>Signature %1</translation>
    </message>
</context>
<context>
    <name>SignaturePad</name>
    <message>
        <source>Görselden al…</source>
        <translation>From image…</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kaydet</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Yeni imza</source>
        <translation>New signature</translation>
    </message>
    <message>
        <source>Fareyle ya da izleme dörtgeniyle aşağıdaki alana imzanı çiz.</source>
        <translation>Draw your signature in the area below with the mouse or trackpad.</translation>
    </message>
    <message>
        <source>İmza adı</source>
        <translation>Signature name</translation>
    </message>
    <message>
        <source>Görsel okunamadı. PNG ya da JPEG bir dosya seç.</source>
        <translation>The image couldn&apos;t be read. Choose a PNG or JPEG file.</translation>
    </message>
    <message>
        <source>Kâğıda attığın imzanın fotoğrafını da kullanabilirsin: beyaz zemin sayfada görünmez.</source>
        <translation>You can also use a photo of a signature you made on paper: the white background doesn&apos;t show on the page.</translation>
    </message>
</context>
<context>
    <name>SignaturePanel</name>
    <message>
        <source>Kayıtlı imza yok. İmzanı bir kez ekle, sonra her belgede kullan.</source>
        <translation>No saved signatures. Add your signature once, then use it on every document.</translation>
    </message>
    <message>
        <source>Yeni imza…</source>
        <translation>New signature…</translation>
    </message>
    <message>
        <source>İmzalar</source>
        <translation>Signatures</translation>
    </message>
    <message>
        <source>Sayfaya koymak için imzaya tıkla. Sonra sürükle, köşesinden boyutlandır.</source>
        <translation>Click a signature to put it on the page. Then drag it, and resize it from its corner.</translation>
    </message>
    <message>
        <source>İmzalamak için önce bir PDF ekle.</source>
        <translation>Add a PDF first to sign it.</translation>
    </message>
    <message>
        <source>İmzayı sil</source>
        <translation>Delete signature</translation>
    </message>
    <message>
        <source>%1 silinsin mi?</source>
        <translation>Delete “%1”?</translation>
    </message>
    <message>
        <source>İmza bu Mac&apos;ten silinir. Daha önce imzaladığın dosyalar değişmez.</source>
        <translation>The signature is deleted from this computer. Files you signed before stay as they are.</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Kayıtlı imzalar</source>
        <translation>Saved signatures</translation>
    </message>
</context>
<context>
    <name>SignaturePreview</name>
    <message>
        <source>Sayfaya koy</source>
        <translation>Put on page</translation>
    </message>
</context>
<context>
    <name>SingleFileCard</name>
    <message>
        <source>Başka dosya…</source>
        <translation>Other file…</translation>
    </message>
    <message>
        <source>Dosyayı kaldır</source>
        <translation>Remove file</translation>
    </message>
    <message>
        <source>%1 dosyasını kaldır</source>
        <translation>Remove %1</translation>
    </message>
</context>
<context>
    <name>Snapshot</name>
    <message>
        <source>Kira sözleşmesi</source>
        <translation>Lease agreement</translation>
    </message>
    <message>
        <source>Ek protokol</source>
        <translation>Addendum</translation>
    </message>
    <message>
        <source>Teslim tutanağı</source>
        <translation>Handover report</translation>
    </message>
    <message>
        <source>Demirbaş listesi</source>
        <translation>Inventory list</translation>
    </message>
</context>
<context>
    <name>SplitOptions</name>
    <message>
        <source>Her sayfa ayrı</source>
        <translation>Every page</translation>
    </message>
    <message>
        <source>Sabit aralık</source>
        <translation>Fixed interval</translation>
    </message>
    <message>
        <source>Aralıklar</source>
        <translation>Ranges</translation>
    </message>
    <message>
        <source>Her sayfa ayrı bir PDF olur.</source>
        <translation>Every page becomes its own PDF.</translation>
    </message>
    <message>
        <source>Nasıl bölünsün?</source>
        <translation>How should it be split?</translation>
    </message>
    <message>
        <source>1-3, 5, 8-12</source>
        <translation>1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>Virgülle ayır. Her aralık ayrı bir dosya olur. “8-” sona kadar demektir.</source>
        <translation>Separate with commas. Each range becomes its own file. “8-” means to the end.</translation>
    </message>
    <message>
        <source>Her %1 sayfada bir böl</source>
        <translation>Split every %1 pages</translation>
    </message>
</context>
<context>
    <name>SplitPreview</name>
    <message>
        <source>Oluşacak dosyalar</source>
        <translation>Files to be created</translation>
    </message>
    <message>
        <source>ve %1 dosya daha</source>
        <translation>and %1 more files</translation>
    </message>
</context>
<context>
    <name>SplitScreen</name>
    <message>
        <source>Bölünecek PDF&apos;i buraya bırak</source>
        <translation>Drop the PDF to split here</translation>
    </message>
    <message>
        <source>Her sayfayı ayrı dosya yapabilir ya da istediğin aralıkları çıkarabilirsin.</source>
        <translation>You can make every page its own file, or extract the ranges you want.</translation>
    </message>
    <message>
        <source>Böl…</source>
        <translation>Split…</translation>
    </message>
    <message>
        <source>Oluşacak dosya: %1</source>
        <translation>Files to create: %1</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Yalnız PDF dosyaları eklenebilir.</source>
        <translation>Only PDF files can be added.</translation>
    </message>
    <message>
        <source>%1 açılamadı. Dosya bozuk ya da PDF değil.</source>
        <translation>%1 could not be opened. The file is damaged or not a PDF.</translation>
    </message>
    <message>
        <source>%1 içinde sayfa yok.</source>
        <translation>%1 has no pages.</translation>
    </message>
    <message numerus="yes">
        <source>Eklenemeyen %n dosya daha: %1</source>
        <translation>
            <numerusform>%n more file could not be added: %1</numerusform>
            <numerusform>%n more files could not be added: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Hazır: %1 · %2</source>
        <translation>Done: %1 · %2</translation>
    </message>
    <message>
        <source>Hazır: %1 dosya · %2 klasöründe</source>
        <translation>Done: %1 files · in %2</translation>
    </message>
    <message>
        <source>imzalı</source>
        <translation>signed</translation>
    </message>
    <message>
        <source>birleşik</source>
        <translation>merged</translation>
    </message>
    <message>
        <source>düzenlenmiş</source>
        <translation>edited</translation>
    </message>
    <message>
        <source>sıkıştırılmış</source>
        <translation>compressed</translation>
    </message>
    <message>
        <source>Hazır: %1 → %2 · %3 daha küçük</source>
        <translation>Done: %1 → %2 · %3 smaller</translation>
    </message>
    <message>
        <source>Küçülmeyen dosya: %1 (yazılmadı).</source>
        <translation>Files not reduced: %1 (not written).</translation>
    </message>
    <message>
        <source>Dosya yöneticisi açılamadı. Konum: %1</source>
        <translation>Couldn&apos;t open the file manager. Location: %1</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörü yok ve oluşturulamadı (%1).</source>
        <translation>Couldn&apos;t save the history and signatures: the data folder is missing and couldn&apos;t be created (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: diskte yeterli yer yok.</source>
        <translation>Couldn&apos;t save the history and signatures: there isn&apos;t enough space on the disk.</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazma izni yok (%1).</source>
        <translation>Couldn&apos;t save the history and signatures: no permission to write to the data folder (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazılamadı (%1).</source>
        <translation>Couldn&apos;t save the history and signatures: writing to the data folder failed (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: kaydedilecek bir değer JSON olarak yazılamıyor.</source>
        <translation>Couldn&apos;t save the history and signatures: a value can&apos;t be written as JSON.</translation>
    </message>
    <message>
        <source>Değişiklikler bellekte duruyor; bir sonraki değişiklikte ve çıkarken yeniden denenecek.</source>
        <translation>The changes are kept in memory; saving is tried again at the next change and when quitting.</translation>
    </message>
    <message>
        <source>%1 boş bir dosya.</source>
        <translation>%1 is an empty file.</translation>
    </message>
    <message>
        <source>PDF görüntüleyici açılamadı. Dosya: %1</source>
        <translation>Couldn&apos;t open a PDF viewer. File: %1</translation>
    </message>
    <message>
        <source>%1 sayfaları: %2</source>
        <translation>Pages of %1: %2</translation>
    </message>
    <message>
        <source>seçilen sayfalar</source>
        <translation>selected pages</translation>
    </message>
    <message>
        <source>düzenlendi</source>
        <translation>organized</translation>
    </message>
    <message>
        <source>aranabilir</source>
        <translation>searchable</translation>
    </message>
    <message>
        <source>Tüm sayfalar zaten aranabilir; yeni dosya yazılmadı.</source>
        <translation>Every page is already searchable; no new file was written.</translation>
    </message>
    <message>
        <source>Zaten aranabilir dosya: %1 (yazılmadı).</source>
        <translation>Files already searchable: %1 (not written).</translation>
    </message>
</context>
<context>
    <name>TrayPopup</name>
    <message>
        <source>Son dosyalar</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Henüz dosya üretmedin. Bir araç seç ve PDF ekle.</source>
        <translation>You haven&apos;t made any files yet. Pick a tool and add a PDF.</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Show in file manager</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Çık</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>UpdateAvailableRow</name>
    <message>
        <source>Güncelle</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Yeni sürüm var: %1</source>
        <translation>New version available: %1</translation>
    </message>
</context>
<context>
    <name>UpdateSettings</name>
    <message>
        <source>Güncellemeleri otomatik denetle</source>
        <translation>Check for updates automatically</translation>
    </message>
    <message>
        <source>Şimdi denetle</source>
        <translation>Check now</translation>
    </message>
    <message>
        <source>Sonra</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Güncelle</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Sürüm %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Leaflow günde bir kez %1 adresinden yalnız sürüm bilgisini okur. Kişisel veri gönderilmez.</source>
        <translation>Once a day Leaflow reads only the version information from %1. No personal data is sent.</translation>
    </message>
    <message>
        <source>Denetleniyor…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>Yeni sürüm var: %1</source>
        <translation>New version available: %1</translation>
    </message>
    <message>
        <source>İndiriliyor…</source>
        <translation>Downloading…</translation>
    </message>
    <message>
        <source>Hazırlanıyor…</source>
        <translation>Preparing…</translation>
    </message>
    <message>
        <source>Kuruluyor. Leaflow yeniden açılacak.</source>
        <translation>Installing. Leaflow will reopen.</translation>
    </message>
    <message>
        <source>Güncelsin. En yeni sürümü kullanıyorsun.</source>
        <translation>You&apos;re up to date. You have the latest version.</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Güncelleme anahtarı geçersiz; güncellemeler denetlenemez.</source>
        <translation>The update key is invalid; updates cannot be checked.</translation>
    </message>
    <message>
        <source>Güncelleme adresi güvenli değil; yalnız HTTPS bağlantısı kabul edilir.</source>
        <translation>The update address is not secure; only HTTPS connections are accepted.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusu başka türde bir adrese yönlendirdi; güvenlik için durduruldu.</source>
        <translation>The update server redirected to a different kind of address; stopped for safety.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusuna ulaşılamadı. İnternet bağlantını denetle.</source>
        <translation>The update server could not be reached. Check your internet connection.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusu bir hata bildirdi (HTTP %1).</source>
        <translation>The update server reported an error (HTTP %1).</translation>
    </message>
    <message>
        <source>Sürüm bilgisi beklenenden büyük; okunmadı.</source>
        <translation>The version information is larger than expected; it was not read.</translation>
    </message>
    <message>
        <source>Sürüm bilgisi okunamadı; biçimi bozuk.</source>
        <translation>The version information could not be read; it is malformed.</translation>
    </message>
    <message>
        <source>İndirilen paket diske yazılamadı.</source>
        <translation>The downloaded package could not be written to disk.</translation>
    </message>
    <message>
        <source>İndirilen paket duyurulan boyutta değil; silindi.</source>
        <translation>The downloaded package is not the announced size; it was deleted.</translation>
    </message>
    <message>
        <source>İndirilen paketin imzası doğrulanamadı; paket silindi.</source>
        <translation>The downloaded package&apos;s signature could not be verified; the package was deleted.</translation>
    </message>
    <message>
        <source>Paket kurulum için açılamadı.</source>
        <translation>The package could not be opened for installation.</translation>
    </message>
    <message>
        <source>Kurulum için izin verilmedi; Leaflow güncellenmedi.</source>
        <translation>Permission to install was not given; Leaflow was not updated.</translation>
    </message>
    <message>
        <source>Yeni sürüm kurulamadı.</source>
        <translation>The new version could not be installed.</translation>
    </message>
    <message>
        <source>Yeni sürüm kurulamadı: %1</source>
        <translation>The new version could not be installed: %1</translation>
    </message>
    <message>
        <source>Paket sistemin kurulum uygulamasında açıldı. Kurulum bitince Leaflow&apos;u kapatıp yeniden aç.</source>
        <translation>The package was opened in the system&apos;s installer. When the installation is done, quit Leaflow and open it again.</translation>
    </message>
    <message>
        <source>Yeni sürüm kuruldu. Kullanmak için Leaflow&apos;u kapatıp yeniden aç.</source>
        <translation>The new version is installed. Quit Leaflow and open it again to use it.</translation>
    </message>
</context>
<context>
    <name>leaflow-cli</name>
    <message>
        <source>%1 için parola: </source>
        <translation>Password for %1: </translation>
    </message>
    <message>
        <source>%1: %2 bayt → %3 bayt</source>
        <translation>%1: %2 bytes → %3 bytes</translation>
    </message>
    <message>
        <source>İmza okunamadı: %1</source>
        <translation>Couldn&apos;t read the signature: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa tanındı</source>
        <translation>
            <numerusform>%n page recognized</numerusform>
            <numerusform>%n pages recognized</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa zaten aranabilir</source>
        <translation>
            <numerusform>%n page already searchable</numerusform>
            <numerusform>%n pages already searchable</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa döndürüldü</source>
        <translation>
            <numerusform>%n page turned upright</numerusform>
            <numerusform>%n pages turned upright</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Bütün sayfalar zaten aranabilir (%n sayfa), yeni dosya yazılmadı.</source>
        <translation>
            <numerusform>Every page is searchable already (%n page); no new file was written.</numerusform>
            <numerusform>Every page is searchable already (%n pages); no new file was written.</numerusform>
        </translation>
    </message>
</context>
</TS>
