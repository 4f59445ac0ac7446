<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AboutView</name>
    <message>
        <source>Dosyaları sürükle, sırala, tek PDF yap</source>
        <translation>Arrastra, ordena y crea un solo PDF</translation>
    </message>
    <message>
        <source>Sayfa sayfa, sabit aralıkla ya da yazdığın aralıklarla</source>
        <translation>Página a página, a intervalos fijos o por los rangos que escribas</translation>
    </message>
    <message>
        <source>Üç düzey; metin seçilebilir kalır</source>
        <translation>Tres niveles; el texto sigue seleccionable</translation>
    </message>
    <message>
        <source>İmzanı çiz ya da görselden al, sayfaya yerleştir</source>
        <translation>Dibuja tu firma o tómala de una imagen y colócala en la página</translation>
    </message>
    <message>
        <source>Sayfaları gör, seç, kalanı kaydet</source>
        <translation>Mira las páginas, elige y guarda el resto</translation>
    </message>
    <message>
        <source>Mac&apos;inden çıkmayan PDF araç kutusu</source>
        <translation>La caja de herramientas PDF que no sale de tu ordenador</translation>
    </message>
    <message>
        <source>E-posta gönder</source>
        <translation>Enviar correo</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Sürüm %1 (%2) · Linux</source>
        <translation>Versión %1 (%2) · Linux</translation>
    </message>
    <message>
        <source>Kayıtlı imza: %1 · Geçmiş kaydı: %2</source>
        <translation>Firmas guardadas: %1 · Registros del historial: %2</translation>
    </message>
    <message>
        <source>Sayfaları döndür, sırala, çıkar, ekle</source>
        <translation>Gira, ordena, extrae e inserta páginas</translation>
    </message>
    <message>
        <source>Taramalara görünmez metin katmanı; Türkçe, İngilizce, İspanyolca</source>
        <translation>Una capa de texto invisible sobre los escaneos; turco, inglés, español</translation>
    </message>
</context>
<context>
    <name>AboutWindow</name>
    <message>
        <source>Leaflow hakkında</source>
        <translation>Acerca de Leaflow</translation>
    </message>
</context>
<context>
    <name>BannerView</name>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Kapat</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>BrandHeader</name>
    <message>
        <source>Leaflow hakkında</source>
        <translation>Acerca de Leaflow</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Ayarlar (%1)</source>
        <translation>Ajustes (%1)</translation>
    </message>
</context>
<context>
    <name>Button</name>
    <message>
        <source>%%1</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>CheckForUpdatesButton</name>
    <message>
        <source>Güncellemeleri denetle…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
</context>
<context>
    <name>CompressScreen</name>
    <message>
        <source>Hafif</source>
        <translation>Ligero</translation>
    </message>
    <message>
        <source>Dengeli</source>
        <translation>Equilibrado</translation>
    </message>
    <message>
        <source>Güçlü</source>
        <translation>Fuerte</translation>
    </message>
    <message>
        <source>Baskı için uygun. Görseller neredeyse aynı kalır.</source>
        <translation>Apto para imprimir. Las imágenes apenas cambian.</translation>
    </message>
    <message>
        <source>Ekranda okumak ve e-postayla göndermek için.</source>
        <translation>Para leer en pantalla y enviar por correo.</translation>
    </message>
    <message>
        <source>En küçük dosya. Görsellerde bozulma fark edilir.</source>
        <translation>El archivo más pequeño. La pérdida de calidad se nota.</translation>
    </message>
    <message>
        <source>PDF ekle</source>
        <translation>Añadir PDF</translation>
    </message>
    <message>
        <source>Küçültülecek PDF&apos;leri buraya bırak</source>
        <translation>Suelta aquí los PDF que quieres reducir</translation>
    </message>
    <message>
        <source>Görseller küçültülür, metin ve çizimler olduğu gibi kalır. Asıl dosya değişmez.</source>
        <translation>Se reducen las imágenes; el texto y los dibujos no cambian. El archivo original no se modifica.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Sıkıştır…</source>
        <translation>Comprimir…</translation>
    </message>
    <message>
        <source>Düzey</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Küçülmedi</source>
        <translation>No se redujo</translation>
    </message>
    <message>
        <source>→ %1</source>
        <translation>→ %1</translation>
    </message>
    <message>
        <source>Dosya: %1 · %2</source>
        <translation>Archivos: %1 · %2</translation>
    </message>
    <message>
        <source>Sıkıştırılacak dosyalar</source>
        <translation>Archivos para comprimir</translation>
    </message>
</context>
<context>
    <name>ContainedRun</name>
    <message>
        <source>%1 işlenemedi: süre doldu.</source>
        <translation>No se pudo procesar %1: se agotó el tiempo.</translation>
    </message>
    <message>
        <source>%1 işlenemedi: bellek yetmedi.</source>
        <translation>No se pudo procesar %1: no hubo memoria suficiente.</translation>
    </message>
    <message>
        <source>%1 işlenemedi: işlem beklenmedik biçimde sona erdi.</source>
        <translation>No se pudo procesar %1: el proceso terminó de forma inesperada.</translation>
    </message>
</context>
<context>
    <name>DataPane</name>
    <message>
        <source>Geçmişi temizle…</source>
        <translation>Borrar historial…</translation>
    </message>
    <message>
        <source>Veri klasörü</source>
        <translation>Carpeta de datos</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Kayıtlı imza</source>
        <translation>Firmas guardadas</translation>
    </message>
    <message>
        <source>Geçmiş kaydı</source>
        <translation>Registros del historial</translation>
    </message>
    <message>
        <source>İmzaların ve geçmiş listen bu klasörde durur. Eklediğin PDF&apos;ler kopyalanmaz, yalnız okunur. Parolalar kaydedilmez.</source>
        <translation>Tus firmas y tu historial están en esta carpeta. Los PDF que añades no se copian, solo se leen. Las contraseñas no se guardan.</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Göster</source>
        <translation>Mostrar</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Bu klasöre kaydet</source>
        <translation>Guardar en esta carpeta</translation>
    </message>
    <message>
        <source>Görseller (%1)</source>
        <translation>Imágenes (%1)</translation>
    </message>
</context>
<context>
    <name>DropZone</name>
    <message>
        <source>Dosya seç…</source>
        <translation>Elegir archivo…</translation>
    </message>
</context>
<context>
    <name>FileDisplay</name>
    <message>
        <source>Sayfa: %1 · %2</source>
        <translation>Páginas: %1 · %2</translation>
    </message>
    <message>
        <source>%1, %2 sayfa, %3</source>
        <translation>%1, %2 páginas, %3</translation>
    </message>
    <message>
        <source>Sayfa: %1 / %2 · %3</source>
        <translation>Páginas: %1 / %2 · %3</translation>
    </message>
    <message>
        <source>%1, %2 sayfadan %3 sayfa, %4</source>
        <translation>%1, %3 de %2 páginas, %4</translation>
    </message>
</context>
<context>
    <name>FileRow</name>
    <message>
        <source>Listeden çıkar</source>
        <translation>Quitar de la lista</translation>
    </message>
    <message>
        <source>%1 dosyasını listeden kaldır</source>
        <translation>Quitar %1 de la lista</translation>
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
        <translation>%1 no es una carpeta.</translation>
    </message>
    <message>
        <source>%1 klasörü yok.</source>
        <translation>La carpeta %1 no existe.</translation>
    </message>
    <message>
        <source>Klasör oluşturulsun ve dosyalar oraya kaydedilsin mi?</source>
        <translation>¿Crear la carpeta y guardar allí los archivos?</translation>
    </message>
    <message>
        <source>Oluştur</source>
        <translation>Crear</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 klasörü oluşturulamadı.</source>
        <translation>No se pudo crear la carpeta %1.</translation>
    </message>
</context>
<context>
    <name>Formatting</name>
    <message>
        <source>Sıfır bayt</source>
        <translation>Cero bytes</translation>
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
        <translation>Mostrar el archivo en el gestor de archivos al terminar</translation>
    </message>
    <message>
        <source>Pencere kapanınca menü çubuğu bildirimini göster</source>
        <translation>Mostrar el aviso de la bandeja del sistema al cerrar la ventana</translation>
    </message>
    <message>
        <source>Sıkıştırma düzeyi</source>
        <translation>Nivel de compresión</translation>
    </message>
    <message>
        <source>Pencereyi kapatınca Leaflow Dock&apos;tan çıkar ve menü çubuğunda çalışmaya devam eder.</source>
        <translation>Al cerrar la ventana, Leaflow sale de la barra de tareas y sigue funcionando en la bandeja del sistema.</translation>
    </message>
    <message>
        <source>Güncelleme</source>
        <translation>Actualizaciones</translation>
    </message>
</context>
<context>
    <name>HelperProcess</name>
    <message>
        <source>Leaflow eksik kurulmuş: %1 bulunamadı.</source>
        <translation>Leaflow no está instalado por completo: falta %1.</translation>
    </message>
    <message>
        <source>Leaflow eksik kurulmuş: %1 başlatılamadı.</source>
        <translation>Leaflow no está instalado por completo: no se pudo iniciar %1.</translation>
    </message>
</context>
<context>
    <name>HistoryDisplay</name>
    <message>
        <source>%1 dosya · %2</source>
        <translation>%1 archivos · %2</translation>
    </message>
</context>
<context>
    <name>HistoryRow</name>
    <message>
        <source>Dosya taşınmış ya da silinmiş</source>
        <translation>Archivo movido o eliminado</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>%1 dosyasını dosya yöneticisinde göster</source>
        <translation>Mostrar %1 en el gestor de archivos</translation>
    </message>
    <message>
        <source>%1 dosyayı dosya yöneticisinde göster</source>
        <translation>Mostrar %1 archivos en el gestor de archivos</translation>
    </message>
</context>
<context>
    <name>HistoryScreen</name>
    <message>
        <source>Geçmişi temizle…</source>
        <translation>Borrar historial…</translation>
    </message>
    <message>
        <source>Henüz kayıt yok</source>
        <translation>Aún no hay registros</translation>
    </message>
    <message>
        <source>Bir araçla dosya ürettiğinde burada görünür. Soldan bir araç seç ve PDF ekle.</source>
        <translation>Los archivos que generes con una herramienta aparecerán aquí. Elige una herramienta a la izquierda y añade un PDF.</translation>
    </message>
    <message>
        <source>Geçmiş temizlensin mi?</source>
        <translation>¿Borrar el historial?</translation>
    </message>
    <message>
        <source>Yalnız liste temizlenir. Ürettiğin dosyalar yerinde kalır.</source>
        <translation>Solo se borra la lista. Los archivos que generaste se quedan donde están.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Geçmiş kayıtları</source>
        <translation>Registros del historial</translation>
    </message>
</context>
<context>
    <name>InkArea</name>
    <message>
        <source>İmza çizim alanı</source>
        <translation>Área de dibujo de la firma</translation>
    </message>
</context>
<context>
    <name>InkPicker</name>
    <message>
        <source>Mavi</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Siyah</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Mürekkep</source>
        <translation>Tinta</translation>
    </message>
</context>
<context>
    <name>LanguagePicker</name>
    <message>
        <source>Sistem dili</source>
        <translation>Idioma del sistema</translation>
    </message>
    <message>
        <source>Yeni dil, uygulama yeniden açılınca geçerli olur.</source>
        <translation>El nuevo idioma se aplica al volver a abrir la aplicación.</translation>
    </message>
    <message>
        <source>Yeniden aç</source>
        <translation>Volver a abrir</translation>
    </message>
    <message>
        <source>Dil</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Leaflow yeniden açılamadı. Yeni dil, Leaflow&apos;u kapatıp açınca geçerli olur.</source>
        <translation>No se pudo volver a abrir Leaflow. El nuevo idioma se aplicará al cerrar y abrir Leaflow.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Dosya</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>PDF ekle…</source>
        <translation>Añadir PDF…</translation>
    </message>
    <message>
        <source>Sonucu kaydet…</source>
        <translation>Guardar resultado…</translation>
    </message>
    <message>
        <source>Çık</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Araçlar</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>Ayarlar…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Yardım</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Leaflow hakkında</source>
        <translation>Acerca de Leaflow</translation>
    </message>
</context>
<context>
    <name>MergeRow</name>
    <message>
        <source>Sayfalar: tümü</source>
        <translation>Páginas: todas</translation>
    </message>
    <message>
        <source>%1 sayfaları</source>
        <translation>Páginas de %1</translation>
    </message>
</context>
<context>
    <name>MergeScreen</name>
    <message>
        <source>PDF ekle</source>
        <translation>Añadir PDF</translation>
    </message>
    <message>
        <source>PDF&apos;leri buraya bırak</source>
        <translation>Suelta los PDF aquí</translation>
    </message>
    <message>
        <source>İki ya da daha çok dosya ekle. Sırayı sonra sürükleyerek değiştirebilirsin.</source>
        <translation>Añade dos o más archivos. Después puedes cambiar el orden arrastrándolos.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Birleştir…</source>
        <translation>Unir…</translation>
    </message>
    <message>
        <source>Birleştirmek için en az iki PDF ekle.</source>
        <translation>Añade al menos dos PDF para unir.</translation>
    </message>
    <message>
        <source>Dosya: %1 · Sayfa: %2 · %3</source>
        <translation>Archivos: %1 · Páginas: %2 · %3</translation>
    </message>
    <message>
        <source>Birleştirilecek dosyalar</source>
        <translation>Archivos para unir</translation>
    </message>
</context>
<context>
    <name>NoticePanel</name>
    <message>
        <source>Leaflow menü çubuğunda çalışıyor</source>
        <translation>Leaflow sigue en la bandeja del sistema</translation>
    </message>
    <message>
        <source>Araçlar ve son dosyaların menü çubuğundaki ikonda. Pencereyi açmak ya da çıkmak için ona tıkla.</source>
        <translation>Tus herramientas y archivos recientes están en su icono de la bandeja. Haz clic en él para abrir la ventana o salir.</translation>
    </message>
    <message>
        <source>Tamam</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Bir daha gösterme</source>
        <translation>No volver a mostrar</translation>
    </message>
</context>
<context>
    <name>OcrScreen</name>
    <message>
        <source>Türkçe</source>
        <translation>Turco</translation>
    </message>
    <message>
        <source>İngilizce</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>İspanyolca</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>PDF ekle</source>
        <translation>Añadir PDF</translation>
    </message>
    <message>
        <source>Taranmış PDF&apos;leri buraya bırak</source>
        <translation>Suelta aquí los PDF escaneados</translation>
    </message>
    <message>
        <source>Sayfaların resmi okunur, üstüne görünmez bir metin katmanı konur: arama, kopyalama ve sesli okuma çalışır. Asıl dosya değişmez, hiçbir şey bilgisayardan çıkmaz.</source>
        <translation>Se lee la imagen de cada página y se coloca encima una capa de texto invisible: la búsqueda, la copia y la lectura en voz alta funcionan. El archivo original no cambia y nada sale de este equipo.</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Metni tanı…</source>
        <translation>Reconocer texto…</translation>
    </message>
    <message>
        <source>Yan yatmış sayfaları düzelt</source>
        <translation>Enderezar las páginas giradas</translation>
    </message>
    <message>
        <source>Yan ya da ters taranmış sayfalar dik çevrilir.</source>
        <translation>Las páginas escaneadas de lado o del revés se ponen derechas.</translation>
    </message>
    <message>
        <source>Tanınmış sayfaları yeniden tanı</source>
        <translation>Volver a reconocer las páginas ya reconocidas</translation>
    </message>
    <message>
        <source>Bu aracın daha önce eklediği metin katmanı yenilenir. Başka bir programın koyduğu metne dokunulmaz.</source>
        <translation>Se renueva la capa de texto que esta herramienta añadió antes. El texto que puso otro programa no se toca.</translation>
    </message>
    <message>
        <source>Metni tanınacak dosyalar</source>
        <translation>Archivos para reconocer</translation>
    </message>
    <message>
        <source>Diller</source>
        <translation>Idiomas</translation>
    </message>
    <message>
        <source>Tanıma dili</source>
        <translation>Idioma de reconocimiento</translation>
    </message>
    <message>
        <source>Tüm sayfalar zaten aranabilir</source>
        <translation>Todas las páginas ya admiten búsquedas</translation>
    </message>
    <message>
        <source>Dosya: %1 · %2</source>
        <translation>Archivos: %1 · %2</translation>
    </message>
    <message>
        <source>En az bir dil seç.</source>
        <translation>Elige al menos un idioma.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln sayfa tanındı</source>
        <translation>
            <numerusform>%Ln página reconocida</numerusform>
            <numerusform>%Ln páginas reconocidas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln zaten aranabilir</source>
        <translation>
            <numerusform>%Ln ya con búsqueda</numerusform>
            <numerusform>%Ln ya con búsqueda</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sayfa döndürüldü</source>
        <translation>
            <numerusform>%Ln página girada</numerusform>
            <numerusform>%Ln páginas giradas</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OrganizeScreen</name>
    <message>
        <source>Geri al</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Yinele</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>Sıfırla</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>PDF&apos;i buraya bırak</source>
        <translation>Suelta aquí el PDF</translation>
    </message>
    <message>
        <source>Sayfaları döndürür, sıralar, çoğaltır ya da silersin. Asıl dosya değişmez.</source>
        <translation>Gira, ordena, duplica o elimina sus páginas. El archivo original no cambia.</translation>
    </message>
    <message>
        <source>Sola döndür</source>
        <translation>Girar a la izquierda</translation>
    </message>
    <message>
        <source>Sağa döndür</source>
        <translation>Girar a la derecha</translation>
    </message>
    <message>
        <source>Çoğalt</source>
        <translation>Duplicar</translation>
    </message>
    <message>
        <source>Sil</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>PDF ekle…</source>
        <translation>Añadir PDF…</translation>
    </message>
    <message>
        <source>Seçilenleri ayrı kaydet…</source>
        <translation>Guardar seleccionadas aparte…</translation>
    </message>
    <message>
        <source>Kaydet…</source>
        <translation>Guardar…</translation>
    </message>
    <message>
        <source>%1 sayfa · %2 seçili</source>
        <translation>%1 páginas · %2 seleccionadas</translation>
    </message>
    <message>
        <source>%1 sayfa</source>
        <translation>%1 páginas</translation>
    </message>
</context>
<context>
    <name>PDFEngine</name>
    <message>
        <source>Dosyaların hiçbiri daha fazla küçülmedi. Hepsi zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.</source>
        <translation>Ninguno de los archivos se redujo más. Todos parecen ya comprimidos; no se escribió ningún archivo nuevo.</translation>
    </message>
    <message>
        <source>%1 sıkıştırılamadı.</source>
        <translation>No se pudo comprimir %1.</translation>
    </message>
    <message>
        <source>Daha fazla küçülmedi. Dosya zaten sıkıştırılmış görünüyor, yeni dosya yazılmadı.</source>
        <translation>No se redujo más. El archivo ya parece comprimido; no se escribió ningún archivo nuevo.</translation>
    </message>
    <message>
        <source>En az bir sayfa kalmalı.</source>
        <translation>Debe quedar al menos una página.</translation>
    </message>
    <message>
        <source>%1 açılamadı. Dosya bozuk ya da PDF değil.</source>
        <translation>No se pudo abrir %1. El archivo está dañado o no es un PDF.</translation>
    </message>
    <message>
        <source>%1 parola korumalı. Dosyayı yeniden ekleyip parolasını gir.</source>
        <translation>%1 está protegido con contraseña. Vuelve a añadir el archivo e introduce su contraseña.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Klasöre yazma iznin olduğundan emin ol.</source>
        <translation>No se pudo escribir %1. Asegúrate de que puedes escribir en la carpeta.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Kaydedilecek klasör bulunamadı: %2</source>
        <translation>No se pudo escribir %1. No se encontró la carpeta donde guardar: %2</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Dosya adı bu klasör için çok uzun; daha kısa bir ad seç.</source>
        <translation>No se pudo escribir %1. El nombre del archivo es demasiado largo para esta carpeta; elige un nombre más corto.</translation>
    </message>
    <message>
        <source>%1 yazılamadı. Diskte yeterli yer yok; yer açıp yeniden dene.</source>
        <translation>No se pudo escribir %1. No hay espacio suficiente en el disco; libera espacio y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>Aralık yaz. Örnek: 1-3, 5, 8-12</source>
        <translation>Escribe un intervalo. Ejemplo: 1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>“%1” anlaşılmadı. Örnek: 1-3, 5, 8-12</source>
        <translation>No se entendió “%1”. Ejemplo: 1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>Bu PDF %1 sayfa. “%2” bunun dışında kalıyor.</source>
        <translation>Este PDF tiene %1 páginas. “%2” queda fuera.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Metin tanıma bu kurulumda kullanılamıyor.</source>
        <translation>El reconocimiento de texto no está disponible en esta instalación.</translation>
    </message>
    <message>
        <source>Tanınan metin %1 dosyasına eklenemedi.</source>
        <translation>No se pudo añadir el texto reconocido a %1.</translation>
    </message>
    <message>
        <source>İmza resimleri bu kurulumda okunamıyor.</source>
        <translation>Las imágenes de firma no se pueden leer en esta instalación.</translation>
    </message>
</context>
<context>
    <name>PageGrid</name>
    <message>
        <source>Sayfalar</source>
        <translation>Páginas</translation>
    </message>
</context>
<context>
    <name>PageGridModel</name>
    <message>
        <source>Sayfa %1</source>
        <translation>Página %1</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>%1, döndürülmüş %2°</source>
        <translation>%1, girada %2°</translation>
    </message>
</context>
<context>
    <name>PagesScreen</name>
    <message>
        <source>Seçimi ters çevir</source>
        <translation>Invertir selección</translation>
    </message>
    <message>
        <source>Seçimi temizle</source>
        <translation>Borrar selección</translation>
    </message>
    <message>
        <source>PDF&apos;i buraya bırak</source>
        <translation>Suelta un PDF aquí</translation>
    </message>
    <message>
        <source>Sayfaları görürsün, silmek istediklerine tıklarsın. Asıl dosya değişmez.</source>
        <translation>Verás sus páginas; haz clic en las que quieras eliminar. El archivo original no cambia.</translation>
    </message>
    <message>
        <source>Seçili sayfaları sil…</source>
        <translation>Eliminar páginas seleccionadas…</translation>
    </message>
    <message>
        <source>En az bir sayfa kalmalı.</source>
        <translation>Debe quedar al menos una página.</translation>
    </message>
    <message>
        <source>Silinecek: %1 · Kalacak: %2</source>
        <translation>Se eliminarán: %1 · Se conservarán: %2</translation>
    </message>
    <message>
        <source>Silmek istediğin sayfalara tıkla.</source>
        <translation>Haz clic en las páginas que quieras eliminar.</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>%1 parola korumalı</source>
        <translation>%1 está protegido con contraseña</translation>
    </message>
    <message>
        <source>Parolayı gir. Parola yalnız bu oturumda kullanılır ve kaydedilmez. Çıktı dosyası parolasız olur.</source>
        <translation>Introduce la contraseña. Solo se usa en esta sesión y no se guarda. El archivo de salida no tendrá contraseña.</translation>
    </message>
    <message>
        <source>Parola yanlış. Yeniden dene.</source>
        <translation>Contraseña incorrecta. Inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Parola gerekli: %1</source>
        <translation>Se requiere contraseña: %1</translation>
    </message>
    <message>
        <source>%1 için parola</source>
        <translation>Contraseña de %1</translation>
    </message>
</context>
<context>
    <name>PlacementView</name>
    <message>
        <source>Ok tuşları imzayı taşır, Shift ile daha çok. + ve - boyutlandırır, Delete kaldırır.</source>
        <translation>Las flechas mueven la firma, más con Mayús. + y - cambian su tamaño, Supr la quita.</translation>
    </message>
    <message>
        <source>%1. imza (%2)</source>
        <translation>Firma %1 (%2)</translation>
    </message>
    <message>
        <source>%1. imza</source>
        <translation>Firma %1</translation>
    </message>
    <message>
        <source>%1: soldan %2, üstten %3, genişlik %4</source>
        <translation>%1: a %2 de la izquierda, a %3 de arriba, %4 de ancho</translation>
    </message>
    <message>
        <source>%1. imzayı sayfadan kaldır</source>
        <translation>Quitar la firma %1 de la página</translation>
    </message>
</context>
<context>
    <name>PrivacyNote</name>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete yalnız yeni sürüm var mı diye bakmak için bağlanır.</source>
        <translation>Leaflow funciona por completo en este ordenador. Tus documentos no se suben a ningún sitio. Sin cuenta, no recopilamos datos. La aplicación solo se conecta a internet para comprobar si hay una versión nueva.</translation>
    </message>
    <message>
        <source>Leaflow tamamen bu Mac&apos;te çalışır. Belgelerin hiçbir yere yüklenmez. Hesap yok, veri toplamayız. Uygulama internete hiç bağlanmaz.</source>
        <translation>Leaflow funciona por completo en este ordenador. Tus documentos no se suben a ningún sitio. Sin cuenta, no recopilamos datos. La aplicación nunca se conecta a internet.</translation>
    </message>
</context>
<context>
    <name>QuitGuard</name>
    <message>
        <source>Bir işlem sürüyor.</source>
        <translation>Hay una tarea en curso.</translation>
    </message>
    <message>
        <source>Çıkarsan işlem durdurulur ve hiçbir dosya kaydedilmez.</source>
        <translation>Si sales, se detiene y no se guarda ningún archivo.</translation>
    </message>
    <message>
        <source>Durdur ve çık</source>
        <translation>Detener y salir</translation>
    </message>
    <message>
        <source>Sürdür</source>
        <translation>Seguir</translation>
    </message>
</context>
<context>
    <name>Recognition</name>
    <message>
        <source>Türkçe</source>
        <translation>turco</translation>
    </message>
    <message>
        <source>İngilizce</source>
        <translation>inglés</translation>
    </message>
    <message>
        <source>İspanyolca</source>
        <translation>español</translation>
    </message>
    <message>
        <source>sayfa yönü</source>
        <translation>orientación de la página</translation>
    </message>
    <message>
        <source>Tanıma verisi kurulu değil: %1</source>
        <translation>Los datos de reconocimiento no están instalados: %1</translation>
    </message>
    <message>
        <source>Tanınan metin geçici bir dosyaya yazılamadı; diskte yer olduğundan emin ol.</source>
        <translation>No se pudo escribir el texto reconocido en un archivo temporal; asegúrate de que hay espacio libre en el disco.</translation>
    </message>
    <message>
        <source>Bir sayfanın metni tanınamadı.</source>
        <translation>No se pudo reconocer el texto de una página.</translation>
    </message>
</context>
<context>
    <name>RelativeDate</name>
    <message>
        <source>geçen yıl</source>
        <translation>el año pasado</translation>
    </message>
    <message>
        <source>gelecek yıl</source>
        <translation>el próximo año</translation>
    </message>
    <message numerus="yes">
        <source>%n yıl önce</source>
        <translation>
            <numerusform>hace %n año</numerusform>
            <numerusform>hace %n años</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n yıl sonra</source>
        <translation>
            <numerusform>dentro de %n año</numerusform>
            <numerusform>dentro de %n años</numerusform>
        </translation>
    </message>
    <message>
        <source>geçen ay</source>
        <translation>el mes pasado</translation>
    </message>
    <message>
        <source>gelecek ay</source>
        <translation>el próximo mes</translation>
    </message>
    <message numerus="yes">
        <source>%n ay önce</source>
        <translation>
            <numerusform>hace %n mes</numerusform>
            <numerusform>hace %n meses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ay sonra</source>
        <translation>
            <numerusform>dentro de %n mes</numerusform>
            <numerusform>dentro de %n meses</numerusform>
        </translation>
    </message>
    <message>
        <source>geçen hafta</source>
        <translation>la semana pasada</translation>
    </message>
    <message>
        <source>gelecek hafta</source>
        <translation>la próxima semana</translation>
    </message>
    <message numerus="yes">
        <source>%n hafta önce</source>
        <translation>
            <numerusform>hace %n semana</numerusform>
            <numerusform>hace %n semanas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hafta sonra</source>
        <translation>
            <numerusform>dentro de %n semana</numerusform>
            <numerusform>dentro de %n semanas</numerusform>
        </translation>
    </message>
    <message>
        <source>dün</source>
        <translation>ayer</translation>
    </message>
    <message>
        <source>yarın</source>
        <translation>mañana</translation>
    </message>
    <message numerus="yes">
        <source>%n gün önce</source>
        <translation>
            <numerusform>hace %n día</numerusform>
            <numerusform>hace %n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n gün sonra</source>
        <translation>
            <numerusform>dentro de %n día</numerusform>
            <numerusform>dentro de %n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saat önce</source>
        <translation>
            <numerusform>hace %n hora</numerusform>
            <numerusform>hace %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saat sonra</source>
        <translation>
            <numerusform>dentro de %n hora</numerusform>
            <numerusform>dentro de %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n dakika önce</source>
        <translation>
            <numerusform>hace %n minuto</numerusform>
            <numerusform>hace %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n dakika sonra</source>
        <translation>
            <numerusform>dentro de %n minuto</numerusform>
            <numerusform>dentro de %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saniye önce</source>
        <translation>
            <numerusform>hace %n segundo</numerusform>
            <numerusform>hace %n segundos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n saniye sonra</source>
        <translation>
            <numerusform>dentro de %n segundo</numerusform>
            <numerusform>dentro de %n segundos</numerusform>
        </translation>
    </message>
    <message>
        <source>şimdi</source>
        <translation>ahora</translation>
    </message>
</context>
<context>
    <name>RemoveButton</name>
    <message>
        <source>İmzayı sayfadan kaldır</source>
        <translation>Quitar la firma de la página</translation>
    </message>
</context>
<context>
    <name>ResizeHandle</name>
    <message>
        <source>Boyutlandır</source>
        <translation>Cambiar tamaño</translation>
    </message>
</context>
<context>
    <name>RunButton</name>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
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
        <translation>Unir</translation>
    </message>
    <message>
        <source>Böl</source>
        <translation>Dividir</translation>
    </message>
    <message>
        <source>Sıkıştır</source>
        <translation>Comprimir</translation>
    </message>
    <message>
        <source>İmzala</source>
        <translation>Firmar</translation>
    </message>
    <message>
        <source>Sayfa sil</source>
        <translation>Eliminar páginas</translation>
    </message>
    <message>
        <source>Geçmiş</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Birden çok PDF&apos;i sırayla tek dosyada toplar.</source>
        <translation>Reúne varios PDF, en orden, en un solo archivo.</translation>
    </message>
    <message>
        <source>Bir PDF&apos;i sayfalara ya da aralıklara ayırır.</source>
        <translation>Divide un PDF en páginas o intervalos.</translation>
    </message>
    <message>
        <source>Görselleri küçültür, metin seçilebilir kalır.</source>
        <translation>Reduce las imágenes; el texto sigue siendo seleccionable.</translation>
    </message>
    <message>
        <source>İmzanı çiz ya da görselden al, sayfaya yerleştir.</source>
        <translation>Dibuja tu firma o tómala de una imagen y colócala en la página.</translation>
    </message>
    <message>
        <source>İstemediğin sayfaları seç, kalanı yeni dosyaya kaydet.</source>
        <translation>Selecciona las páginas que no quieres y guarda el resto en un archivo nuevo.</translation>
    </message>
    <message>
        <source>Bu Mac&apos;te ürettiğin dosyalar.</source>
        <translation>Archivos que creaste en este equipo.</translation>
    </message>
    <message>
        <source>Düzenle</source>
        <translation>Organizar</translation>
    </message>
    <message>
        <source>Sayfaları döndür, sırala, çıkar, başka PDF&apos;ten sayfa ekle.</source>
        <translation>Gira, ordena y extrae páginas, o añade páginas de otro PDF.</translation>
    </message>
    <message>
        <source>Metin tanıma</source>
        <translation>Reconocer texto</translation>
    </message>
    <message>
        <source>Taranmış sayfaları aranabilir yapar, bu bilgisayarda, internetsiz.</source>
        <translation>Hace que las páginas escaneadas admitan búsquedas, en este equipo y sin internet.</translation>
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
        <translation>Datos</translation>
    </message>
    <message>
        <source>Hakkında</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Ayarlar bölümleri</source>
        <translation>Secciones de los ajustes</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Araçlar</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>Kayıtlar</source>
        <translation>Registros</translation>
    </message>
    <message>
        <source>Belgeler bu Mac&apos;te kalır</source>
        <translation>Los documentos se quedan en este equipo</translation>
    </message>
</context>
<context>
    <name>SidebarRow</name>
    <message numerus="yes">
        <source>%1, %n dosya</source>
        <translation>
            <numerusform>%1, %n archivo</numerusform>
            <numerusform>%1, %n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SignCanvas</name>
    <message>
        <source>İmleç soldan %1, üstten %2. Ok tuşları imleci taşır; Enter seçilen imzayı buraya koyar.</source>
        <translation>Cursor a %1 de la izquierda, a %2 de arriba. Las flechas mueven el cursor; Intro pone aquí la firma elegida.</translation>
    </message>
</context>
<context>
    <name>SignPager</name>
    <message>
        <source>Önceki sayfa</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Sonraki sayfa</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>Sayfa %1 / %2</source>
        <translation>Página %1 / %2</translation>
    </message>
    <message>
        <source>Yerleştirilen imza: %1</source>
        <translation>Firmas colocadas: %1</translation>
    </message>
</context>
<context>
    <name>SignView</name>
    <message>
        <source>Sayfaya görsel imza ekler. Sertifikalı dijital imza değildir.</source>
        <translation>Añade una imagen de firma visible a la página. No es una firma digital certificada.</translation>
    </message>
    <message>
        <source>İmzalı kopyayı kaydet…</source>
        <translation>Guardar copia firmada…</translation>
    </message>
    <message>
        <source>Başka dosya…</source>
        <translation>Otro archivo…</translation>
    </message>
    <message>
        <source>Dosyayı kaldır</source>
        <translation>Quitar archivo</translation>
    </message>
    <message>
        <source>İmzalanacak PDF&apos;i buraya bırak</source>
        <translation>Suelta aquí el PDF que quieres firmar</translation>
    </message>
    <message>
        <source>İmzanı sağdan seç, sayfada istediğin yere sürükle.</source>
        <translation>Elige tu firma a la derecha y arrástrala adonde quieras en la página.</translation>
    </message>
    <message>
        <source>%1 dosyasını kaldır</source>
        <translation>Quitar %1</translation>
    </message>
</context>
<context>
    <name>SignatureCard</name>
    <message>
        <source>İmzayı sil</source>
        <translation>Eliminar firma</translation>
    </message>
    <message>
        <source>%1 adlı imzayı sayfaya koy</source>
        <translation>Colocar la firma %1 en la página</translation>
    </message>
    <message>
        <source>%1 adlı imzayı sil</source>
        <translation>Eliminar la firma %1</translation>
    </message>
</context>
<context>
    <name>SignatureLibrary</name>
    <message>
        <source>İmza %1</source>
        <translation>Firma %1</translation>
    </message>
</context>
<context>
    <name>SignaturePad</name>
    <message>
        <source>Görselden al…</source>
        <translation>Desde imagen…</translation>
    </message>
    <message>
        <source>Temizle</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Kaydet</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Yeni imza</source>
        <translation>Nueva firma</translation>
    </message>
    <message>
        <source>Fareyle ya da izleme dörtgeniyle aşağıdaki alana imzanı çiz.</source>
        <translation>Dibuja tu firma en el área de abajo con el ratón o el trackpad.</translation>
    </message>
    <message>
        <source>İmza adı</source>
        <translation>Nombre de la firma</translation>
    </message>
    <message>
        <source>Görsel okunamadı. PNG ya da JPEG bir dosya seç.</source>
        <translation>No se pudo leer la imagen. Elige un archivo PNG o JPEG.</translation>
    </message>
    <message>
        <source>Kâğıda attığın imzanın fotoğrafını da kullanabilirsin: beyaz zemin sayfada görünmez.</source>
        <translation>También puedes usar una foto de tu firma en papel: el fondo blanco no se ve en la página.</translation>
    </message>
</context>
<context>
    <name>SignaturePanel</name>
    <message>
        <source>Kayıtlı imza yok. İmzanı bir kez ekle, sonra her belgede kullan.</source>
        <translation>No hay firmas guardadas. Añade tu firma una vez y úsala en cualquier documento.</translation>
    </message>
    <message>
        <source>Yeni imza…</source>
        <translation>Nueva firma…</translation>
    </message>
    <message>
        <source>İmzalar</source>
        <translation>Firmas</translation>
    </message>
    <message>
        <source>Sayfaya koymak için imzaya tıkla. Sonra sürükle, köşesinden boyutlandır.</source>
        <translation>Haz clic en una firma para ponerla en la página. Luego arrástrala y cambia su tamaño desde la esquina.</translation>
    </message>
    <message>
        <source>İmzalamak için önce bir PDF ekle.</source>
        <translation>Primero añade un PDF para firmarlo.</translation>
    </message>
    <message>
        <source>İmzayı sil</source>
        <translation>Eliminar firma</translation>
    </message>
    <message>
        <source>%1 silinsin mi?</source>
        <translation>¿Eliminar «%1»?</translation>
    </message>
    <message>
        <source>İmza bu Mac&apos;ten silinir. Daha önce imzaladığın dosyalar değişmez.</source>
        <translation>La firma se elimina de este ordenador. Los archivos que ya firmaste no cambian.</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Kayıtlı imzalar</source>
        <translation>Firmas guardadas</translation>
    </message>
</context>
<context>
    <name>SignaturePreview</name>
    <message>
        <source>Sayfaya koy</source>
        <translation>Poner en la página</translation>
    </message>
</context>
<context>
    <name>SingleFileCard</name>
    <message>
        <source>Başka dosya…</source>
        <translation>Otro archivo…</translation>
    </message>
    <message>
        <source>Dosyayı kaldır</source>
        <translation>Quitar archivo</translation>
    </message>
    <message>
        <source>%1 dosyasını kaldır</source>
        <translation>Quitar %1</translation>
    </message>
</context>
<context>
    <name>Snapshot</name>
    <message>
        <source>Kira sözleşmesi</source>
        <translation>Contrato de alquiler</translation>
    </message>
    <message>
        <source>Ek protokol</source>
        <translation>Protocolo adicional</translation>
    </message>
    <message>
        <source>Teslim tutanağı</source>
        <translation>Acta de entrega</translation>
    </message>
    <message>
        <source>Demirbaş listesi</source>
        <translation>Lista de inventario</translation>
    </message>
</context>
<context>
    <name>SplitOptions</name>
    <message>
        <source>Her sayfa ayrı</source>
        <translation>Cada página</translation>
    </message>
    <message>
        <source>Sabit aralık</source>
        <translation>Intervalo fijo</translation>
    </message>
    <message>
        <source>Aralıklar</source>
        <translation>Intervalos</translation>
    </message>
    <message>
        <source>Her sayfa ayrı bir PDF olur.</source>
        <translation>Cada página se convierte en un PDF.</translation>
    </message>
    <message>
        <source>Nasıl bölünsün?</source>
        <translation>¿Cómo quieres dividirlo?</translation>
    </message>
    <message>
        <source>1-3, 5, 8-12</source>
        <translation>1-3, 5, 8-12</translation>
    </message>
    <message>
        <source>Virgülle ayır. Her aralık ayrı bir dosya olur. “8-” sona kadar demektir.</source>
        <translation>Separa con comas. Cada intervalo será un archivo. «8-» significa hasta el final.</translation>
    </message>
    <message>
        <source>Her %1 sayfada bir böl</source>
        <translation>Dividir cada %1 páginas</translation>
    </message>
</context>
<context>
    <name>SplitPreview</name>
    <message>
        <source>Oluşacak dosyalar</source>
        <translation>Archivos que se crearán</translation>
    </message>
    <message>
        <source>ve %1 dosya daha</source>
        <translation>y %1 archivos más</translation>
    </message>
</context>
<context>
    <name>SplitScreen</name>
    <message>
        <source>Bölünecek PDF&apos;i buraya bırak</source>
        <translation>Suelta aquí el PDF que quieres dividir</translation>
    </message>
    <message>
        <source>Her sayfayı ayrı dosya yapabilir ya da istediğin aralıkları çıkarabilirsin.</source>
        <translation>Puedes convertir cada página en un archivo o extraer los intervalos que quieras.</translation>
    </message>
    <message>
        <source>Böl…</source>
        <translation>Dividir…</translation>
    </message>
    <message>
        <source>Oluşacak dosya: %1</source>
        <translation>Archivos a crear: %1</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>Yalnız PDF dosyaları eklenebilir.</source>
        <translation>Solo se pueden añadir archivos PDF.</translation>
    </message>
    <message>
        <source>%1 açılamadı. Dosya bozuk ya da PDF değil.</source>
        <translation>No se pudo abrir %1. El archivo está dañado o no es un PDF.</translation>
    </message>
    <message>
        <source>%1 içinde sayfa yok.</source>
        <translation>%1 no tiene páginas.</translation>
    </message>
    <message numerus="yes">
        <source>Eklenemeyen %n dosya daha: %1</source>
        <translation>
            <numerusform>No se pudo añadir %n archivo más: %1</numerusform>
            <numerusform>No se pudieron añadir %n archivos más: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Hazır: %1 · %2</source>
        <translation>Listo: %1 · %2</translation>
    </message>
    <message>
        <source>Hazır: %1 dosya · %2 klasöründe</source>
        <translation>Listo: %1 archivos · en %2</translation>
    </message>
    <message>
        <source>imzalı</source>
        <translation>firmado</translation>
    </message>
    <message>
        <source>birleşik</source>
        <translation>unido</translation>
    </message>
    <message>
        <source>düzenlenmiş</source>
        <translation>editado</translation>
    </message>
    <message>
        <source>sıkıştırılmış</source>
        <translation>comprimido</translation>
    </message>
    <message>
        <source>Hazır: %1 → %2 · %3 daha küçük</source>
        <translation>Listo: %1 → %2 · %3 más pequeño</translation>
    </message>
    <message>
        <source>Küçülmeyen dosya: %1 (yazılmadı).</source>
        <translation>Archivos sin reducir: %1 (no escritos).</translation>
    </message>
    <message>
        <source>Dosya yöneticisi açılamadı. Konum: %1</source>
        <translation>No se pudo abrir el gestor de archivos. Ubicación: %1</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörü yok ve oluşturulamadı (%1).</source>
        <translation>No se pudieron guardar el historial y las firmas: la carpeta de datos no existe y no se pudo crear (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: diskte yeterli yer yok.</source>
        <translation>No se pudieron guardar el historial y las firmas: no hay espacio suficiente en el disco.</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazma izni yok (%1).</source>
        <translation>No se pudieron guardar el historial y las firmas: no hay permiso para escribir en la carpeta de datos (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: veri klasörüne yazılamadı (%1).</source>
        <translation>No se pudieron guardar el historial y las firmas: no se pudo escribir en la carpeta de datos (%1).</translation>
    </message>
    <message>
        <source>Geçmiş ve imzalar kaydedilemedi: kaydedilecek bir değer JSON olarak yazılamıyor.</source>
        <translation>No se pudieron guardar el historial y las firmas: un valor no se puede escribir como JSON.</translation>
    </message>
    <message>
        <source>Değişiklikler bellekte duruyor; bir sonraki değişiklikte ve çıkarken yeniden denenecek.</source>
        <translation>Los cambios se conservan en memoria; se volverá a intentar guardarlos con el próximo cambio y al salir.</translation>
    </message>
    <message>
        <source>%1 boş bir dosya.</source>
        <translation>%1 es un archivo vacío.</translation>
    </message>
    <message>
        <source>PDF görüntüleyici açılamadı. Dosya: %1</source>
        <translation>No se pudo abrir un visor de PDF. Archivo: %1</translation>
    </message>
    <message>
        <source>%1 sayfaları: %2</source>
        <translation>Páginas de %1: %2</translation>
    </message>
    <message>
        <source>seçilen sayfalar</source>
        <translation>páginas seleccionadas</translation>
    </message>
    <message>
        <source>düzenlendi</source>
        <translation>organizado</translation>
    </message>
    <message>
        <source>aranabilir</source>
        <translation>buscable</translation>
    </message>
    <message>
        <source>Tüm sayfalar zaten aranabilir; yeni dosya yazılmadı.</source>
        <translation>Todas las páginas ya admiten búsquedas; no se escribió ningún archivo nuevo.</translation>
    </message>
    <message>
        <source>Zaten aranabilir dosya: %1 (yazılmadı).</source>
        <translation>Archivos que ya admitían búsquedas: %1 (no escritos).</translation>
    </message>
</context>
<context>
    <name>TrayPopup</name>
    <message>
        <source>Son dosyalar</source>
        <translation>Archivos recientes</translation>
    </message>
    <message>
        <source>Henüz dosya üretmedin. Bir araç seç ve PDF ekle.</source>
        <translation>Aún no has creado archivos. Elige una herramienta y añade un PDF.</translation>
    </message>
    <message>
        <source>Finder&apos;da göster</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Aç</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Ayarlar</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Çık</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>UpdateAvailableRow</name>
    <message>
        <source>Güncelle</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Yeni sürüm var: %1</source>
        <translation>Nueva versión disponible: %1</translation>
    </message>
</context>
<context>
    <name>UpdateSettings</name>
    <message>
        <source>Güncellemeleri otomatik denetle</source>
        <translation>Buscar actualizaciones automáticamente</translation>
    </message>
    <message>
        <source>Şimdi denetle</source>
        <translation>Buscar ahora</translation>
    </message>
    <message>
        <source>Sonra</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>Güncelle</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Vazgeç</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Sürüm %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>Leaflow günde bir kez %1 adresinden yalnız sürüm bilgisini okur. Kişisel veri gönderilmez.</source>
        <translation>Una vez al día, Leaflow solo lee la información de versión de %1. No se envían datos personales.</translation>
    </message>
    <message>
        <source>Denetleniyor…</source>
        <translation>Buscando…</translation>
    </message>
    <message>
        <source>Yeni sürüm var: %1</source>
        <translation>Nueva versión disponible: %1</translation>
    </message>
    <message>
        <source>İndiriliyor…</source>
        <translation>Descargando…</translation>
    </message>
    <message>
        <source>Hazırlanıyor…</source>
        <translation>Preparando…</translation>
    </message>
    <message>
        <source>Kuruluyor. Leaflow yeniden açılacak.</source>
        <translation>Instalando. Leaflow se volverá a abrir.</translation>
    </message>
    <message>
        <source>Güncelsin. En yeni sürümü kullanıyorsun.</source>
        <translation>Estás al día. Tienes la versión más reciente.</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>Güncelleme anahtarı geçersiz; güncellemeler denetlenemez.</source>
        <translation>La clave de actualización no es válida; no se pueden buscar actualizaciones.</translation>
    </message>
    <message>
        <source>Güncelleme adresi güvenli değil; yalnız HTTPS bağlantısı kabul edilir.</source>
        <translation>La dirección de actualización no es segura; solo se aceptan conexiones HTTPS.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusu başka türde bir adrese yönlendirdi; güvenlik için durduruldu.</source>
        <translation>El servidor de actualizaciones redirigió a otro tipo de dirección; se detuvo por seguridad.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusuna ulaşılamadı. İnternet bağlantını denetle.</source>
        <translation>No se pudo contactar con el servidor de actualizaciones. Comprueba tu conexión a internet.</translation>
    </message>
    <message>
        <source>Güncelleme sunucusu bir hata bildirdi (HTTP %1).</source>
        <translation>El servidor de actualizaciones informó de un error (HTTP %1).</translation>
    </message>
    <message>
        <source>Sürüm bilgisi beklenenden büyük; okunmadı.</source>
        <translation>La información de versión es más grande de lo esperado; no se leyó.</translation>
    </message>
    <message>
        <source>Sürüm bilgisi okunamadı; biçimi bozuk.</source>
        <translation>No se pudo leer la información de versión; su formato está dañado.</translation>
    </message>
    <message>
        <source>İndirilen paket diske yazılamadı.</source>
        <translation>No se pudo escribir en el disco el paquete descargado.</translation>
    </message>
    <message>
        <source>İndirilen paket duyurulan boyutta değil; silindi.</source>
        <translation>El paquete descargado no tiene el tamaño anunciado; se eliminó.</translation>
    </message>
    <message>
        <source>İndirilen paketin imzası doğrulanamadı; paket silindi.</source>
        <translation>No se pudo verificar la firma del paquete descargado; se eliminó.</translation>
    </message>
    <message>
        <source>Paket kurulum için açılamadı.</source>
        <translation>No se pudo abrir el paquete para instalarlo.</translation>
    </message>
    <message>
        <source>Kurulum için izin verilmedi; Leaflow güncellenmedi.</source>
        <translation>No se concedió permiso para instalar; Leaflow no se ha actualizado.</translation>
    </message>
    <message>
        <source>Yeni sürüm kurulamadı.</source>
        <translation>No se pudo instalar la versión nueva.</translation>
    </message>
    <message>
        <source>Yeni sürüm kurulamadı: %1</source>
        <translation>No se pudo instalar la versión nueva: %1</translation>
    </message>
    <message>
        <source>Paket sistemin kurulum uygulamasında açıldı. Kurulum bitince Leaflow&apos;u kapatıp yeniden aç.</source>
        <translation>El paquete se abrió en el instalador del sistema. Cuando termine la instalación, cierra Leaflow y vuelve a abrirlo.</translation>
    </message>
    <message>
        <source>Yeni sürüm kuruldu. Kullanmak için Leaflow&apos;u kapatıp yeniden aç.</source>
        <translation>La versión nueva está instalada. Cierra Leaflow y vuelve a abrirlo para usarla.</translation>
    </message>
</context>
<context>
    <name>leaflow-cli</name>
    <message>
        <source>%1 için parola: </source>
        <translation>Contraseña de %1: </translation>
    </message>
    <message>
        <source>%1: %2 bayt → %3 bayt</source>
        <translation>%1: %2 bytes → %3 bytes</translation>
    </message>
    <message>
        <source>İmza okunamadı: %1</source>
        <translation>No se pudo leer la firma: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa tanındı</source>
        <translation>
            <numerusform>%n página reconocida</numerusform>
            <numerusform>%n páginas reconocidas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa zaten aranabilir</source>
        <translation>
            <numerusform>%n página ya admitía búsquedas</numerusform>
            <numerusform>%n páginas ya admitían búsquedas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sayfa döndürüldü</source>
        <translation>
            <numerusform>%n página enderezada</numerusform>
            <numerusform>%n páginas enderezadas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Bütün sayfalar zaten aranabilir (%n sayfa), yeni dosya yazılmadı.</source>
        <translation>
            <numerusform>Todas las páginas ya admiten búsquedas (%n página); no se escribió ningún archivo nuevo.</numerusform>
            <numerusform>Todas las páginas ya admiten búsquedas (%n páginas); no se escribió ningún archivo nuevo.</numerusform>
        </translation>
    </message>
</context>
</TS>
