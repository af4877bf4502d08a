<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="cs">
<context>
    <name>Kelvorn</name>
    <message>
        <source>
Chyba %d: %08lx:
</source>
        <translation>
Error %d: %08lx:
</translation>
    </message>
    <message>
        <source>&amp;O programu Kelvorn...</source>
        <translation>&amp;About Kelvorn...</translation>
    </message>
    <message>
        <source>Pod tímto operačním systémem nepracuje.</source>
        <translation>Does not work under this operating system.</translation>
    </message>
    <message>
        <source>Jednotku %c: nešlo nastavit, zůstává %c:.</source>
        <translation>Drive %c: could not be set, %c: stays.</translation>
    </message>
    <message>
        <source>Adresář s tímto jménem už existuje</source>
        <translation>A folder of this name already exists</translation>
    </message>
    <message>
        <source>Soubor s tímto jménem už existuje</source>
        <translation>A file of this name already exists</translation>
    </message>
    <message>
        <source>Image soubor není obrazem diskety nebo je poškozen.</source>
        <translation>The image file is not a floppy disk image or it is damaged.</translation>
    </message>
    <message>
        <source>Image nelze otevřít (neexistuje apod.)</source>
        <translation>The image cannot be opened (it does not exist, etc.)</translation>
    </message>
    <message>
        <source>Není alokována prac. paměť</source>
        <translation>No working memory allocated</translation>
    </message>
    <message>
        <source>V boot sektoru jsou uvedeny chybné parametry média</source>
        <translation>The boot sector states bad media parameters</translation>
    </message>
    <message>
        <source>Chybný/neznámý typ média</source>
        <translation>Bad/unknown media type</translation>
    </message>
    <message>
        <source>Image je příliš krátký i na boot sektor</source>
        <translation>The image is too short even for a boot sector</translation>
    </message>
    <message>
        <source>Boot sektor je příliš krátký (&lt; 512B)</source>
        <translation>The boot sector is too short (&lt; 512B)</translation>
    </message>
    <message>
        <source>Image soubor je kratší než dle bootu</source>
        <translation>The image file is shorter than its boot sector says</translation>
    </message>
    <message>
        <source>Image soubor je delší než dle bootu a jen pro čtení (read-only)</source>
        <translation>The image file is longer than its boot sector says and read-only</translation>
    </message>
    <message>
        <source>Image soubor je delší než dle bootu</source>
        <translation>The image file is longer than its boot sector says</translation>
    </message>
    <message>
        <source>Image soubor je jen pro čtení (read-only)</source>
        <translation>The image file is read-only</translation>
    </message>
    <message>
        <source>Není alokována prac. paměť, není otevřen soubor</source>
        <translation>No working memory allocated, no file open</translation>
    </message>
    <message>
        <source>Image soubor není otevřen</source>
        <translation>The image file is not open</translation>
    </message>
    <message>
        <source>Chyba čtení položky adresáře</source>
        <translation>Error reading a directory entry</translation>
    </message>
    <message>
        <source>EOF (číslo položky mimo hranice adresáře)</source>
        <translation>EOF (entry number beyond the directory)</translation>
    </message>
    <message>
        <source>EOF (položka plná binárních nul)</source>
        <translation>EOF (entry full of binary zeros)</translation>
    </message>
    <message>
        <source>Chyba cesty (např. dvě &apos;\&apos; po sobě)</source>
        <translation>Path error (e.g. two &apos;\&apos; in a row)</translation>
    </message>
    <message>
        <source>Jméno %s uvnitř cesty neoznačuje adresář</source>
        <translation>The name %s inside the path is not a folder</translation>
    </message>
    <message>
        <source>Nenalezeno</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>Chyba při uzavření souboru image</source>
        <translation>Error closing the image file</translation>
    </message>
    <message>
        <source>Zadána prázdná/chybná cesta, pracovní adresář beze změny</source>
        <translation>Empty/bad path given, working folder unchanged</translation>
    </message>
    <message>
        <source>Adresář se nenašel</source>
        <translation>Folder not found</translation>
    </message>
    <message>
        <source>Údaj %s neoznačuje soubor</source>
        <translation>%s is not a file</translation>
    </message>
    <message>
        <source>Soubor %s neexistuje</source>
        <translation>The file %s does not exist</translation>
    </message>
    <message>
        <source>Chyba položky adresáře: cluster mimo limity</source>
        <translation>Directory entry error: cluster out of range</translation>
    </message>
    <message>
        <source>Chyba zápisu cílového souboru</source>
        <translation>Error writing the target file</translation>
    </message>
    <message>
        <source>Chyba čtení souboru z image nebo chyba FAT filesystému image</source>
        <translation>Error reading a file from the image or an error in the image&apos;s FAT file system</translation>
    </message>
    <message>
        <source>Chyba psaní souboru do image nebo chyba FAT filesystému image</source>
        <translation>Error writing a file into the image or an error in the image&apos;s FAT file system</translation>
    </message>
    <message>
        <source>Cílový adresář %s neexistuje</source>
        <translation>The target folder %s does not exist</translation>
    </message>
    <message>
        <source>Chyba čtení zdrojového souboru</source>
        <translation>Error reading the source file</translation>
    </message>
    <message>
        <source>Položku(y) adresáře nelze přidat, plný adresář nebo disk</source>
        <translation>Directory entries cannot be added, the folder or the disk is full</translation>
    </message>
    <message>
        <source>Soubor se na image nevejde</source>
        <translation>The file does not fit into the image</translation>
    </message>
    <message>
        <source>Chyba čtení</source>
        <translation>Read error</translation>
    </message>
    <message>
        <source>Chyba zápisu</source>
        <translation>Write error</translation>
    </message>
    <message>
        <source>Soubor/adresář na image nenalezen</source>
        <translation>File/folder not found in the image</translation>
    </message>
    <message>
        <source>Kořenový adresář nelze smazat; chcete uzavřít image?</source>
        <translation>The root folder cannot be deleted; do you want to close the image?</translation>
    </message>
    <message>
        <source>Neprázdný adresář nelze smazat</source>
        <translation>A folder that is not empty cannot be deleted</translation>
    </message>
    <message>
        <source>Soubor/adresář je read-only, smazat?</source>
        <translation>The file/folder is read-only, delete it?</translation>
    </message>
    <message>
        <source>Rodičovský soubor/adresář na image nenalezen</source>
        <translation>Parent file/folder not found in the image</translation>
    </message>
    <message>
        <source>Adresář se nevejde - image je plný</source>
        <translation>The folder does not fit - the image is full</translation>
    </message>
    <message>
        <source>Chybně formátovaná položka</source>
        <translation>Badly formatted entry</translation>
    </message>
    <message>
        <source>Nenalezeno; chybně formátovaná položka</source>
        <translation>Not found; badly formatted entry</translation>
    </message>
    <message>
        <source>Opravdu chcete kopírovat celý podstrom?</source>
        <translation>Do you really want to copy the whole subtree?</translation>
    </message>
    <message>
        <source>Nezdařilo se vytvořit podadresář.</source>
        <translation>The subfolder could not be created.</translation>
    </message>
    <message>
        <source>V kořenovém adresáři nelze nastavit atributy.</source>
        <translation>Attributes cannot be set in the root folder.</translation>
    </message>
    <message>
        <source>Soubor/adresář tohoto jména už v cíli existuje.</source>
        <translation>A file/folder of this name already exists in the target.</translation>
    </message>
    <message>
        <source>Cílem přenosu není obraz prázdné diskety.</source>
        <translation>The target of the transfer is not the image of an empty floppy.</translation>
    </message>
    <message>
        <source>Prosím označte objekty v obou stromech, vlevo i vpravo!</source>
        <translation>Please select items in both trees, left and right!</translation>
    </message>
    <message>
        <source>Cílem přesunu musí být podadresář disku HD!</source>
        <translation>The target must be a folder on the hard disk!</translation>
    </message>
    <message>
        <source>Cílem přenosu může být jen kořenový adresář nebo podadresář diskety!</source>
        <translation>The target can only be the root folder or a subfolder of the floppy!</translation>
    </message>
    <message>
        <source>Na HD se nezdařilo vytvořit podadresář.</source>
        <translation>The folder could not be created on the hard disk.</translation>
    </message>
    <message>
        <source>Jméno nového podadresáře/VOL obsahuje nedovolené znaky.</source>
        <translation>The name of the new subfolder/VOL contains forbidden characters.</translation>
    </message>
    <message>
        <source>Záznam VOL se nevejde do kořenového adresáře image.</source>
        <translation>The VOL entry does not fit into the image&apos;s root folder.</translation>
    </message>
    <message>
        <source>Ohlášena neznámá chyba %d ve funkci %d.</source>
        <translation>Unknown error %d reported by function %d.</translation>
    </message>
    <message>
        <source>Chyba při vytváření souboru image prázdné diskety.</source>
        <translation>Error creating the image file of an empty floppy.</translation>
    </message>
    <message>
        <source>Prosím označte objekt HD! (Označíte-li soubor, přepíše se.)</source>
        <translation>Please select an item on the hard disk! (A selected file will be overwritten.)</translation>
    </message>
    <message>
        <source>Prosím označte objekt FD (soubor, prázdný podadresář nebo kořen FD) !</source>
        <translation>Please select an item of the floppy (a file, an empty subfolder or the root of the floppy)!</translation>
    </message>
    <message>
        <source>Prosím označte adresář nebo kořen FD !</source>
        <translation>Please select a folder or the root of the floppy!</translation>
    </message>
    <message>
        <source>Jméno %s nelze na HD použít, položka se vynechává.</source>
        <translation>The name %s cannot be used on the hard disk; the item is skipped.</translation>
    </message>
    <message>
        <source>Soubor %s je právě otevřen jako image; nový obraz diskety jej nesmí přepsat.</source>
        <translation>The file %s is open as the image; a new floppy image must not overwrite it.</translation>
    </message>
    <message>
        <source>Řetězec clusterů adresáře %s se vrací sám do sebe; jeho položky jsou uvedeny jen jednou.</source>
        <translation>The cluster chain of the folder %s leads back into itself; its entries are shown once.</translation>
    </message>
    <message>
        <source>Jméno %s je delší než 255 znaků, které FAT dovoluje; položka se vynechává.</source>
        <translation>The name %s is longer than the 255 characters FAT allows; the item is skipped.</translation>
    </message>
    <message>
        <source>Jméno %s není platný text v kódování UTF-8, na disketu je nelze uložit; položka se vynechává.</source>
        <translation>The name %s is not valid UTF-8 text and cannot be stored on the floppy; the item is skipped.</translation>
    </message>
    <message>
        <source>Jméno %s obsahuje znak, který FAT ve jménech nedovoluje (\ / : * ? &quot; &lt; &gt; | nebo řídicí znak), nebo končí tečkou či mezerou; položka se vynechává.</source>
        <translation>The name %s contains a character FAT does not allow in names (\ / : * ? &quot; &lt; &gt; | or a control character), or it ends with a dot or a blank; the item is skipped.</translation>
    </message>
    <message>
        <source>Jméno %s nelze na disketě použít; položka se vynechává.</source>
        <translation>The name %s cannot be used on the floppy; the item is skipped.</translation>
    </message>
    <message>
        <source>Image soubor %s mezitím změnil jiný program; strom diskety je načten znovu, akci prosím zopakujte.</source>
        <translation>Another program has changed the image file %s meanwhile; the floppy tree has been read again, please repeat the action.</translation>
    </message>
    <message>
        <source>Jiný program mezitím změnil parametry disku v image souboru; nic se nezapsalo, image otevřete znovu.</source>
        <translation>Another program has changed the disk parameters in the image file meanwhile; nothing was written, please open the image again.</translation>
    </message>
    <message>
        <source>Adresář %s vede zpět do adresáře, který se už kopíruje; jeho obsah se vynechává.</source>
        <translation>The folder %s leads back into a folder already being copied; its contents are skipped.</translation>
    </message>
    <message>
        <source>Řetězec clusterů souboru %s je kratší, než udává jeho délka; na HD je soubor zkrácen.</source>
        <translation>The cluster chain of the file %s is shorter than its size says; the file on the hard disk is cut short.</translation>
    </message>
    <message>
        <source>Kelvorn - o programu</source>
        <translation>About Kelvorn</translation>
    </message>
    <message>
        <source>Kelvorn verze 2.3</source>
        <translation>Kelvorn version 2.3</translation>
    </message>
    <message>
        <source>Image otevřete poklepáním souboru v levém seznamu.</source>
        <translation>Open an image by double-clicking a file in the left list.</translation>
    </message>
    <message>
        <source>Akce dokončena bez chyb.</source>
        <translation>Action finished without errors.</translation>
    </message>
    <message>
        <source>Výsledek:</source>
        <translation>Result:</translation>
    </message>
    <message>
        <source>Kelvorn - nový soubor</source>
        <translation>Kelvorn - new file</translation>
    </message>
    <message>
        <source>Chcete vytvořit obraz prázdné diskety?</source>
        <translation>Do you want to create the image of an empty floppy?</translation>
    </message>
    <message>
        <source>Do souboru:</source>
        <translation>Into file:</translation>
    </message>
    <message>
        <source>Návěští VOL:</source>
        <translation>VOL label:</translation>
    </message>
    <message>
        <source>Typ diskety:</source>
        <translation>Floppy type:</translation>
    </message>
    <message>
        <source>Ano</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>No</translation>
    </message>
    <message>
        <source>3,5&quot; 1,44 MB</source>
        <translation>3.5&quot; 1.44 MB</translation>
    </message>
    <message>
        <source>3,5&quot; 720 KB</source>
        <translation>3.5&quot; 720 KB</translation>
    </message>
    <message>
        <source>5,25&quot; 1,2 MB</source>
        <translation>5.25&quot; 1.2 MB</translation>
    </message>
    <message>
        <source>5,25&quot; 360 KB</source>
        <translation>5.25&quot; 360 KB</translation>
    </message>
    <message>
        <source>Kelvorn - nová složka</source>
        <translation>Kelvorn - new folder</translation>
    </message>
    <message>
        <source> Zadejte název:</source>
        <translation> Enter a name:</translation>
    </message>
    <message>
        <source>Nová složka</source>
        <translation>New folder</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Podsložka</source>
        <translation>Subfolder</translation>
    </message>
    <message>
        <source>VOL1 diskety</source>
        <translation>Floppy&apos;s VOL1 label</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Storno</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Data souboru: %llu nepřečtených bajtů</source>
        <translation>File data: %llu unread bytes</translation>
    </message>
    <message>
        <source>Položky adresáře: %llu nepřečtených bajtů</source>
        <translation>Folder entries: %llu unread bytes</translation>
    </message>
    <message>
        <source>Uvnitř jsou položky s nepřečtenými sektory</source>
        <translation>Items inside have unread sectors</translation>
    </message>
    <message>
        <source>Boot sektor: %llu nepřečtených bajtů</source>
        <translation>Boot sector: %llu unread bytes</translation>
    </message>
    <message>
        <source>%u. kopie FAT: %llu nepřečtených bajtů</source>
        <translation>FAT copy %u: %llu unread bytes</translation>
    </message>
    <message>
        <source>Kořenový adresář: %llu nepřečtených bajtů</source>
        <translation>Root folder: %llu unread bytes</translation>
    </message>
    <message>
        <source>Mapu záchrany %s nelze přečíst (%s); poškozené položky se proto nevyznačí.</source>
        <translation>The rescue map %s cannot be read (%s); hurt items are therefore not marked.</translation>
    </message>
</context>
<context>
    <name>kelvorn::KelvornWindow</name>
    <message>
        <source>d. M. yyyy H:mm</source>
        <extracomment>How an entry&apos;s date and time show in the image tree (QDateTime format).</extracomment>
        <translation>yyyy-MM-dd H:mm</translation>
    </message>
    <message>
        <source>Název</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Velikost</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Změněno</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>%1 B</source>
        <extracomment>A file&apos;s size in bytes in the image tree.</extracomment>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>Pro přetažení nešlo vytvořit dočasnou složku: %1</source>
        <extracomment>An item dragged out of the image could not be copied: no temporary folder (the reason follows).</extracomment>
        <translation>Could not create a temporary folder for the drag: %1</translation>
    </message>
    <message>
        <source>Zkopíruje označený soubor nebo adresář obrazu (i celou disketu) do označené složky vlevo</source>
        <translation>Copies the selected file or folder of the image (or the whole disk) into the folder selected on the left</translation>
    </message>
    <message>
        <source>Zkopíruje označený soubor nebo složku vlevo do označeného adresáře obrazu</source>
        <translation>Copies the file or folder selected on the left into the selected folder of the image</translation>
    </message>
    <message>
        <source>Smaže z obrazu označený soubor nebo prázdný adresář (klávesa Delete)</source>
        <translation>Deletes the selected file or empty folder from the image (Delete key)</translation>
    </message>
    <message>
        <source>Bez otevřeného obrazu vytvoří nový prázdný obraz diskety, jinak v obrazu nový adresář nebo návěští disku</source>
        <translation>Without an open image, creates a new empty floppy image; otherwise a new folder or the disk&apos;s label in the image</translation>
    </message>
</context>
</TS>
