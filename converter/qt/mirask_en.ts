<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="cs">
<context>
    <name>Mirask</name>
    <message>
        <source>Konverze disket</source>
        <translation>Floppy conversion</translation>
    </message>
    <message>
        <source>&amp;Disketa</source>
        <translation>&amp;Floppy</translation>
    </message>
    <message>
        <source>&amp;Soubor</source>
        <translation>F&amp;ile</translation>
    </message>
    <message>
        <source>&lt;&lt;----</source>
        <translation>&lt;&lt;----</translation>
    </message>
    <message>
        <source>----&gt;&gt;</source>
        <translation>----&gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;&lt;&lt;==</source>
        <translation>&amp;&lt;&lt;==</translation>
    </message>
    <message>
        <source>==&gt;&amp;&gt;</source>
        <translation>==&gt;&amp;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt;---</source>
        <translation>&lt;&lt;---</translation>
    </message>
    <message>
        <source>---&gt;&gt;</source>
        <translation>---&gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Formát</source>
        <translation>F&amp;ormat</translation>
    </message>
    <message>
        <source>&amp;O</source>
        <translation>&amp;A</translation>
    </message>
    <message>
        <source>&amp;About Mirask...</source>
        <translation>&amp;About Mirask...</translation>
    </message>
    <message>
        <source>Mirask verze 1.7</source>
        <translation>Mirask version 1.7</translation>
    </message>
    <message>
        <source>Nedaří se otevřít jednotku %s - chyba %d.</source>
        <translation>Cannot open drive %s - error %d.</translation>
    </message>
    <message>
        <source>Toto je výměnný HD; zařadit k pevným diskům?</source>
        <translation>This is a removable hard disk; list it with the fixed disks?</translation>
    </message>
    <message>
        <source>Jednotka %s blokována jiným programem - chyba %d</source>
        <translation>Drive %s is locked by another program - error %d</translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation>Drive:</translation>
    </message>
    <message>
        <source>Nezdařilo se nastavit jednotku %c: (je %c:)!</source>
        <translation>Could not set drive %c: (it is %c:)!</translation>
    </message>
    <message>
        <source>Vyplňte jméno souboru! (ladění: s cestou)</source>
        <translation>Fill in the file name! (debugging: with a path)</translation>
    </message>
    <message>
        <source>Nelze zapisovat na CD.</source>
        <translation>Cannot write to a CD.</translation>
    </message>
    <message>
        <source>Založte disketu !</source>
        <translation>Insert a floppy!</translation>
    </message>
    <message>
        <source>Založte FORMÁTOVANOU disketu !</source>
        <translation>Insert a FORMATTED floppy!</translation>
    </message>
    <message>
        <source>Chyba získání údajů o disketě.</source>
        <translation>Error getting the floppy&apos;s data.</translation>
    </message>
    <message>
        <source>Chyba alokace !</source>
        <translation>Allocation error!</translation>
    </message>
    <message>
        <source>Probíhá čtení...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Chyba souboru %s: %d</source>
        <translation>File error %s: %d</translation>
    </message>
    <message>
        <source>Chyba čtení: %d na stopě %d/%d, sektor %d.</source>
        <translation>Read error: %d on track %d/%d, sector %d.</translation>
    </message>
    <message>
        <source>Chyba zápisu: %d</source>
        <translation>Write error: %d</translation>
    </message>
    <message>
        <source>Čtení diskety do HD souboru dokončeno.</source>
        <translation>Reading the floppy into the hard disk file finished.</translation>
    </message>
    <message>
        <source>Obsah diskety v jednotce %c: bude smazán, pokračovat?</source>
        <translation>The contents of the floppy in drive %c: will be erased, continue?</translation>
    </message>
    <message>
        <source>Soubor není kopií tohoto typu diskety!</source>
        <translation>The file is not a copy of this type of floppy!</translation>
    </message>
    <message>
        <source>Formátovat před zápisem?</source>
        <translation>Format before writing?</translation>
    </message>
    <message>
        <source>Probíhá formátování...</source>
        <translation>Formatting...</translation>
    </message>
    <message>
        <source>Disketa je chráněna proti zápisu !</source>
        <translation>The floppy is write-protected!</translation>
    </message>
    <message>
        <source>Chyba při formátování diskety !</source>
        <translation>Error formatting the floppy!</translation>
    </message>
    <message>
        <source>Probíhá zápis...</source>
        <translation>Writing...</translation>
    </message>
    <message>
        <source>Chyba čtení: %d</source>
        <translation>Read error: %d</translation>
    </message>
    <message>
        <source>Zápis na disketu dokončen.</source>
        <translation>Writing to the floppy finished.</translation>
    </message>
    <message>
        <source>Tímto programem lze formátovat pouze pod systémy NT/2000.</source>
        <translation>This program can format only under NT/2000.</translation>
    </message>
    <message>
        <source>Tento typ diskety neumím formátovat...!</source>
        <translation>I cannot format this type of floppy...!</translation>
    </message>
    <message>
        <source>Formátovat na 3,5\&quot; 1,44 MB ?</source>
        <translation>Format to 3.5\&quot; 1.44 MB?</translation>
    </message>
    <message>
        <source>Formátovat na 5,25\&quot; 1,2 MB ?</source>
        <translation>Format to 5.25\&quot; 1.2 MB?</translation>
    </message>
    <message>
        <source>Disketu tohoto typu nelze formátovat!</source>
        <translation>A floppy of this type cannot be formatted!</translation>
    </message>
    <message>
        <source>Nelze zapsat formát stopy 0 !</source>
        <translation>Cannot write the format of track 0!</translation>
    </message>
    <message>
        <source>Formátování dokončeno.</source>
        <translation>Formatting finished.</translation>
    </message>
    <message>
        <source>Nebyla nalezena žádná disketová jednotka.

Mirask lze vyzkoušet s emulovanou jednotkou, např. s prázdnou disketou:
    mirask --emulate a=1.44M:blank
nebo s obrazem diskety ze souboru:
    mirask --emulate a=1.44M:disketa.gvx</source>
        <translation>No floppy drive was found.

Mirask can be tried with an emulated drive, for example with a blank floppy:
    mirask --emulate a=1.44M:blank
or with a floppy image from a file:
    mirask --emulate a=1.44M:floppy.gvx</translation>
    </message>
    <message>
        <source>Formátovat na 3,5\&quot; 720 KB ?</source>
        <translation>Format to 3.5\&quot; 720 KB?</translation>
    </message>
    <message>
        <source>Formátovat na 5,25\&quot; 360 KB ?</source>
        <translation>Format to 5.25\&quot; 360 KB?</translation>
    </message>
    <message>
        <source>&amp;Záchrana</source>
        <translation>&amp;Rescue</translation>
    </message>
    <message>
        <source>opakování:</source>
        <translation>retries:</translation>
    </message>
    <message>
        <source>Zas&amp;tavit</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>Probíhá záchrana...</source>
        <translation>Rescuing...</translation>
    </message>
    <message>
        <source>Záchrana: celé cylindry</source>
        <translation>Rescue: whole cylinders</translation>
    </message>
    <message>
        <source>Záchrana: jednotlivé sektory</source>
        <translation>Rescue: single sectors</translation>
    </message>
    <message>
        <source>Záchrana: opakování %u z %u</source>
        <translation>Rescue: retry round %u of %u</translation>
    </message>
    <message>
        <source>Soubor %s už má mapu záchrany. Pokračovat v ní?
(Ne: záchrana začne znovu.)</source>
        <translation>%s already has a rescue map. Continue it?
(No: the rescue starts afresh.)</translation>
    </message>
    <message>
        <source>Ovladač dál zapisuje každé chybné čtení do systémového protokolu (chyba %u).</source>
        <translation>The driver goes on logging every failed read (error %u).</translation>
    </message>
    <message>
        <source>Sektory stopy 0 nelze spočítat, platí geometrie ovladače (chyba %u).</source>
        <translation>The sectors on track 0 cannot be counted; the driver&apos;s geometry is used (error %u).</translation>
    </message>
    <message>
        <source>Záchrana diskety do HD souboru dokončena.</source>
        <translation>Rescue of the floppy into the HD file finished.</translation>
    </message>
    <message>
        <source>Záchrana zastavena, obraz i mapa jsou uloženy; lze v ní pokračovat.</source>
        <translation>Rescue stopped; the image and its map are saved, so it can be continued.</translation>
    </message>
    <message>
        <source>Přečteno sektorů: %u z %u
Z toho obnoveno hlasováním: %u
Stále chybí: %u</source>
        <translation>Sectors read: %u of %u
Recovered by vote: %u
Still missing: %u</translation>
    </message>
    <message>
        <source>Poškozeno:</source>
        <translation>Hurt:</translation>
    </message>
    <message>
        <source>zaváděcí sektor</source>
        <translation>boot sector</translation>
    </message>
    <message>
        <source>kopie FAT %u</source>
        <translation>FAT copy %u</translation>
    </message>
    <message>
        <source>kořenová složka</source>
        <translation>root folder</translation>
    </message>
    <message>
        <source>Poškozené soubory nelze zjistit: %s</source>
        <translation>Hurt files cannot be told: %s</translation>
    </message>
    <message>
        <source>Poškozené soubory nelze zjistit: obraz nelze otevřít (%d).</source>
        <translation>Hurt files cannot be told: the image cannot be opened (%d).</translation>
    </message>
    <message>
        <source>nic obsazeného, chybějící sektory jsou volné</source>
        <translation>nothing in use, the missing sectors are free</translation>
    </message>
    <message>
        <source>Záchrana se ukládá do prostého obrazu nebo do souboru ImageDisk, ne do kontejneru %s. Zvolte jméno s příponou .gvx, .img nebo .imd; jiný formát z něj lze udělat potom (orva convert).</source>
        <translation>A rescue is saved into a raw image or an ImageDisk file, not into the container %s. Choose a name ending in .gvx, .img or .imd; another format can be made from it afterwards (orva convert).</translation>
    </message>
    <message>
        <source>Mapa záchrany leží bez svého obrazu; všechny sektory se čtou znovu a mapa se nahradí.</source>
        <translation>The rescue map lies there without its image; every sector is read again and the map replaced.</translation>
    </message>
</context>
</TS>
