<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Quorvel</name>
    <message>
        <source>Morvane-Quorvel</source>
        <translation>Morvane-Quorvel</translation>
    </message>
    <message>
        <source>Open the Morvane web page</source>
        <translation>Website von Morvane öffnen</translation>
    </message>
    <message>
        <source>Morvane web page</source>
        <translation>Website von Morvane</translation>
    </message>
    <message>
        <source>Opens the maker&apos;s web page in the browser</source>
        <translation>Öffnet die Website des Herstellers im Browser</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Path :</source>
        <translation>Pfad:</translation>
    </message>
    <message>
        <source>Source folder</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>The folder of pictures to lay out; Return lists it</source>
        <translation>Ordner mit den Bildern für den Bogen; die Eingabetaste liest ihn ein</translation>
    </message>
    <message>
        <source>Choose the source folder</source>
        <translation>Quellordner wählen</translation>
    </message>
    <message>
        <source>Chooses the folder of pictures to lay out and lists it</source>
        <translation>Wählt den Ordner mit den Bildern und liest ihn ein</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Reload the source folder</source>
        <translation>Quellordner neu einlesen</translation>
    </message>
    <message>
        <source>Lists the folder in the source path field again</source>
        <translation>Liest den Ordner aus dem Quellpfad neu ein</translation>
    </message>
    <message>
        <source>R</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Print Size in Inches 300 dpi</source>
        <translation>Druckgröße in Zoll bei 300 dpi</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Picture width in inches</source>
        <translation>Bildbreite in Zoll</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Picture height in inches</source>
        <translation>Bildhöhe in Zoll</translation>
    </message>
    <message>
        <source>No of File(s)</source>
        <translation>Anzahl Dateien</translation>
    </message>
    <message>
        <source>Copy direction</source>
        <translation>Anordnung der Abzüge</translation>
    </message>
    <message>
        <source>How the copies line up on the sheet</source>
        <translation>Wie die Abzüge auf dem Bogen aufgereiht werden</translation>
    </message>
    <message>
        <source>Top to Bottom</source>
        <translation>Von oben nach unten</translation>
    </message>
    <message>
        <source>Rotate &amp; Left to Right</source>
        <translation>Drehen, von links nach rechts</translation>
    </message>
    <message>
        <source>Pictures of the source folder</source>
        <translation>Bilder im Quellordner</translation>
    </message>
    <message>
        <source>Select the pictures in the order they go on the sheet; double-click one to set its number of copies</source>
        <translation>Bilder in der Reihenfolge auswählen, in der sie auf den Bogen kommen; ein Doppelklick legt die Anzahl der Abzüge fest</translation>
    </message>
    <message>
        <source>Note: 

* Double-Click on the File Name to change the No of Copies
* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Hinweis:

* Doppelklick auf den Dateinamen ändert die Anzahl der Abzüge
* Strg gedrückt halten und doppelt auf den Dateinamen klicken öffnet die Datei (im Bildbetrachter)
* Strg + Umschalt gedrückt halten und doppelt auf den Dateinamen klicken öffnet den Ordner (im Dateimanager)</translation>
    </message>
    <message>
        <source>Lays the selected pictures out on one sheet and saves it as 01.jpg</source>
        <translation>Ordnet die ausgewählten Bilder auf einem Bogen an und speichert ihn als 01.jpg</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>The folder the sheets are saved in; Return lists it</source>
        <translation>Ordner, in dem die Bögen gespeichert werden; die Eingabetaste liest ihn ein</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Chooses the folder the sheets are saved in and lists it</source>
        <translation>Wählt den Ordner für die Bögen und liest ihn ein</translation>
    </message>
    <message>
        <source>Reload the destination folder</source>
        <translation>Zielordner neu einlesen</translation>
    </message>
    <message>
        <source>Lists the folder in the destination path field again</source>
        <translation>Liest den Ordner aus dem Zielpfad neu ein</translation>
    </message>
    <message>
        <source>Sheet width in inches</source>
        <translation>Bogenbreite in Zoll</translation>
    </message>
    <message>
        <source>Sheet height in inches</source>
        <translation>Bogenhöhe in Zoll</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A3</source>
        <translation>A3</translation>
    </message>
    <message>
        <source>Sheets of the destination folder</source>
        <translation>Bögen im Zielordner</translation>
    </message>
    <message>
        <source>The first sheet is the one printed</source>
        <translation>Gedruckt wird der erste Bogen</translation>
    </message>
    <message>
        <source>Prints the first sheet of the output list</source>
        <translation>Druckt den ersten Bogen der Ausgabeliste</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Crop Image</source>
        <translation>Bild beschneiden</translation>
    </message>
    <message>
        <source>Note: 

* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Hinweis:

* Strg gedrückt halten und doppelt auf den Dateinamen klicken öffnet die Datei (im Bildbetrachter)
* Strg + Umschalt gedrückt halten und doppelt auf den Dateinamen klicken öffnet den Ordner (im Dateimanager)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Test Message</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Lay the selected pictures out on a sheet and save it</source>
        <translation>Ausgewählte Bilder auf einem Bogen anordnen und speichern</translation>
    </message>
    <message>
        <source>Print the first sheet of the output list</source>
        <translation>Ersten Bogen der Ausgabeliste drucken</translation>
    </message>
    <message>
        <source>List the source folder again</source>
        <translation>Quellordner neu einlesen</translation>
    </message>
    <message>
        <source>List the destination folder again</source>
        <translation>Zielordner neu einlesen</translation>
    </message>
    <message>
        <source>Choose the folder of pictures</source>
        <translation>Ordner mit den Bildern wählen</translation>
    </message>
    <message>
        <source>Choose the folder for the sheets</source>
        <translation>Ordner für die Bögen wählen</translation>
    </message>
    <message>
        <source>No Of Copies:</source>
        <translation>Anzahl Abzüge:</translation>
    </message>
    <message>
        <source>Thumbnails still being made</source>
        <translation>Vorschaubilder werden noch erstellt</translation>
    </message>
    <message>
        <source>No Sheet Written</source>
        <translation>Kein Bogen gespeichert</translation>
    </message>
    <message>
        <source>Task Completed</source>
        <translation>Auftrag erledigt</translation>
    </message>
    <message>
        <source>Sheet Not Saved</source>
        <translation>Bogen nicht gespeichert</translation>
    </message>
    <message>
        <source>The sheet could not be saved as %1: %2
The previous sheet was left as it was.</source>
        <translation>Der Bogen konnte nicht als %1 gespeichert werden: %2
Der vorherige Bogen bleibt unverändert.</translation>
    </message>
    <message>
        <source>Skipped, could not be read: %1</source>
        <translation>Übersprungen, nicht lesbar: %1</translation>
    </message>
    <message>
        <source>1 copy did not fit on the sheet and was left out.</source>
        <translation>1 Abzug passte nicht mehr auf den Bogen und wurde weggelassen.</translation>
    </message>
    <message>
        <source>%1 copies did not fit on the sheet and were left out.</source>
        <translation>%1 Abzüge passten nicht mehr auf den Bogen und wurden weggelassen.</translation>
    </message>
    <message>
        <source>No sheet was written.</source>
        <translation>Es wurde kein Bogen gespeichert.</translation>
    </message>
    <message>
        <source>The sheet size is not usable.</source>
        <translation>Die Bogengröße ist nicht verwendbar.</translation>
    </message>
    <message>
        <source>No picture is selected.</source>
        <translation>Es ist kein Bild ausgewählt.</translation>
    </message>
    <message>
        <source>Every selected picture is set to 0 copies.</source>
        <translation>Alle ausgewählten Bilder stehen auf 0 Abzügen.</translation>
    </message>
    <message>
        <source>Could not be read: %1</source>
        <translation>Nicht lesbar: %1</translation>
    </message>
    <message>
        <source>The margins (left %1, top %2 pixels) put the copies outside the sheet.</source>
        <translation>Die Ränder (links %1, oben %2 Pixel) schieben die Abzüge aus dem Bogen heraus.</translation>
    </message>
    <message>
        <source>%1 (%2 x %3 pixels) does not fit in the %4 x %5 pixels inside the margins.</source>
        <translation>%1 (%2 x %3 Pixel) passt nicht in die %4 x %5 Pixel innerhalb der Ränder.</translation>
    </message>
    <message>
        <source>Enter Left Margin</source>
        <translation>Linker Rand</translation>
    </message>
    <message>
        <source>Left Margin (in Pixels):</source>
        <translation>Linker Rand (in Pixel):</translation>
    </message>
    <message>
        <source>Enter Top Margin</source>
        <translation>Oberer Rand</translation>
    </message>
    <message>
        <source>Top Margin (in Pixels):</source>
        <translation>Oberer Rand (in Pixel):</translation>
    </message>
    <message>
        <source>Enter Gutter Width</source>
        <translation>Stegbreite</translation>
    </message>
    <message>
        <source>Gutter Width (in Pixels):</source>
        <translation>Stegbreite (in Pixel):</translation>
    </message>
    <message>
        <source>Enter Gutter Height</source>
        <translation>Steghöhe</translation>
    </message>
    <message>
        <source>Gutter Height (in Pixels):</source>
        <translation>Steghöhe (in Pixel):</translation>
    </message>
    <message>
        <source>Nothing to Print</source>
        <translation>Nichts zu drucken</translation>
    </message>
    <message>
        <source>The output list holds no sheet to print.</source>
        <translation>In der Ausgabeliste steht kein Bogen zum Drucken.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be printed: %2</source>
        <translation>Der Bogen %1 kann nicht gedruckt werden: %2</translation>
    </message>
    <message>
        <source>Not Printed</source>
        <translation>Nicht gedruckt</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is beyond the limits of %3 pixels a side and %4 megapixels</source>
        <translation>%1 x %2 Pixel überschreiten die Grenzen von %3 Pixel je Seite und %4 Megapixel</translation>
    </message>
    <message>
        <source>its data needs a buffer of over %1 MB</source>
        <translation>die Daten bräuchten einen Puffer von über %1 MB</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>its picture data cannot be decoded</source>
        <translation>die Bilddaten lassen sich nicht dekodieren</translation>
    </message>
    <message>
        <source>the PNG header is cut short or malformed</source>
        <translation>der PNG-Kopf ist unvollständig oder fehlerhaft</translation>
    </message>
    <message>
        <source>not a JPEG, PNG, TIFF or TGA picture</source>
        <translation>kein JPEG-, PNG-, TIFF- oder TGA-Bild</translation>
    </message>
    <message>
        <source>cut off before its end</source>
        <translation>vor dem Ende abgeschnitten</translation>
    </message>
    <message>
        <source>its header tells no size</source>
        <translation>der Dateikopf nennt keine Größe</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>nicht genug Speicher zum Lesen</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1 x %2 pixels</source>
        <translation>nicht genug Speicher für ein Bild von %1 x %2 Pixel</translation>
    </message>
    <message>
        <source>the TGA header is cut short</source>
        <translation>der TGA-Kopf ist unvollständig</translation>
    </message>
    <message>
        <source>TGA image type %1 is not a picture</source>
        <translation>TGA-Bildtyp %1 ist kein Bild</translation>
    </message>
    <message>
        <source>unknown TGA colour map type %1</source>
        <translation>unbekannter TGA-Farbtabellentyp %1</translation>
    </message>
    <message>
        <source>TGA colour map entries of %1 bits</source>
        <translation>TGA-Farbtabelle mit Einträgen von %1 Bit</translation>
    </message>
    <message>
        <source>a colour-mapped TGA without a usable colour map</source>
        <translation>TGA mit Farbtabelle, aber ohne brauchbare Farbtabelle</translation>
    </message>
    <message>
        <source>greyscale TGA of %1 bits a pixel</source>
        <translation>Graustufen-TGA mit %1 Bit je Pixel</translation>
    </message>
    <message>
        <source>true-colour TGA of %1 bits a pixel</source>
        <translation>Echtfarben-TGA mit %1 Bit je Pixel</translation>
    </message>
    <message>
        <source>the TGA picture is empty</source>
        <translation>das TGA-Bild ist leer</translation>
    </message>
    <message>
        <source>the TGA file is cut short</source>
        <translation>die TGA-Datei ist unvollständig</translation>
    </message>
    <message>
        <source>the TGA pixel data is cut short</source>
        <translation>die TGA-Bilddaten sind unvollständig</translation>
    </message>
    <message>
        <source>a TGA pixel points outside the colour map</source>
        <translation>ein TGA-Pixel verweist außerhalb der Farbtabelle</translation>
    </message>
    <message>
        <source>%1 samples a pixel is more than this reader takes</source>
        <translation>%1 Kanäle je Pixel sind mehr, als dieses Programm liest</translation>
    </message>
    <message>
        <source>%1 bits a sample</source>
        <translation>%1 Bit je Kanal</translation>
    </message>
    <message>
        <source>its tiles of %1 x %2 pixels are larger than its picture</source>
        <translation>seine Kacheln von %1 x %2 Pixel sind größer als das Bild</translation>
    </message>
    <message>
        <source>not a readable TIFF file</source>
        <translation>keine lesbare TIFF-Datei</translation>
    </message>
    <message>
        <source>the TIFF&apos;s pixel data cannot be read</source>
        <translation>die Bilddaten der TIFF-Datei lassen sich nicht lesen</translation>
    </message>
    <message>
        <source>Copies…</source>
        <translation>Abzüge…</translation>
    </message>
    <message>
        <source>Open in viewer</source>
        <translation>Im Bildbetrachter öffnen</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Left margin…</source>
        <translation>Linker Rand…</translation>
    </message>
    <message>
        <source>Top margin…</source>
        <translation>Oberer Rand…</translation>
    </message>
    <message>
        <source>Gutter width…</source>
        <translation>Stegbreite…</translation>
    </message>
    <message>
        <source>Gutter height…</source>
        <translation>Steghöhe…</translation>
    </message>
    <message>
        <source>Show Crop Image option</source>
        <translation>Option „Bild beschneiden“ zeigen</translation>
    </message>
    <message>
        <source>click</source>
        <translation>Klick</translation>
    </message>
    <message>
        <source>%1st</source>
        <comment>the first</comment>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>1 copy</source>
        <translation>1 Abzug</translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n Abzug</numerusform>
            <numerusform>%n Abzüge</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2 on the sheet</source>
        <translation>%1, %2 auf dem Bogen</translation>
    </message>
    <message>
        <source>1 picture selected</source>
        <translation>1 Bild ausgewählt</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures selected</source>
        <translation>
            <numerusform>%n Bild ausgewählt</numerusform>
            <numerusform>%n Bilder ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>Job Completed</source>
        <translation>Auftrag abgeschlossen</translation>
    </message>
    <message>
        <source>Printer calibration: %1, %2</source>
        <translation>Druckerkalibrierung: %1, %2</translation>
    </message>
    <message>
        <source>ACROSS: measure this scale from 0 to 200</source>
        <translation>QUER: diese Skala von 0 bis 200 messen</translation>
    </message>
    <message>
        <source>DOWN: measure this scale from 0 to 200</source>
        <translation>LÄNGS: diese Skala von 0 bis 200 messen</translation>
    </message>
    <message>
        <source>35 x 45 mm</source>
        <translation>35 x 45 mm</translation>
    </message>
    <message>
        <source>2 x 2 inches</source>
        <translation>2 x 2 Zoll</translation>
    </message>
    <message>
        <source>1. Measure both scales with a ruler, from 0 to 200, to a tenth of a millimetre.
2. Type the two lengths in Printer calibration (or: quorvel --calibrate PRINTER ACROSS DOWN). Sheets printed on this printer are then scaled to true size.</source>
        <translation>1. Beide Skalen mit einem Lineal von 0 bis 200 auf einen Zehntelmillimeter genau messen.
2. Die beiden Längen unter Druckerkalibrierung eingeben (oder: quorvel --calibrate PRINTER ACROSS DOWN). Auf diesem Drucker gedruckte Bögen werden dann auf wahre Größe gebracht.</translation>
    </message>
    <message>
        <source>Printer calibration</source>
        <translation>Druckerkalibrierung</translation>
    </message>
    <message>
        <source>Printer calibration…</source>
        <translation>Druckerkalibrierung…</translation>
    </message>
    <message>
        <source>No correction: sheets print at their own size.</source>
        <translation>Keine Korrektur: Bögen werden in ihrer eigenen Größe gedruckt.</translation>
    </message>
    <message>
        <source>Sheets on this printer are printed at %1 % across and %2 % down.</source>
        <translation>Bögen werden auf diesem Drucker quer mit %1 % und längs mit %2 % gedruckt.</translation>
    </message>
    <message>
        <source>Print calibration sheet</source>
        <translation>Kalibrierbogen drucken</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Drucker:</translation>
    </message>
    <message>
        <source>Across, as measured (mm):</source>
        <translation>Quer, gemessen (mm):</translation>
    </message>
    <message>
        <source>Down, as measured (mm):</source>
        <translation>Längs, gemessen (mm):</translation>
    </message>
    <message>
        <source>Print the calibration sheet, measure its two 200 mm scales and type what they measured.</source>
        <translation>Den Kalibrierbogen drucken, seine beiden 200-mm-Skalen messen und die gemessenen Längen eingeben.</translation>
    </message>
    <message>
        <source>Type each length in millimetres, from 190 to 210.</source>
        <translation>Jede Länge in Millimetern eingeben, von 190 bis 210.</translation>
    </message>
    <message>
        <source>The calibration sheet was not printed: the printer could not take the job.</source>
        <translation>Der Kalibrierbogen wurde nicht gedruckt: Der Drucker hat den Auftrag nicht angenommen.</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message numerus="yes">
        <source>[%n] - File(s)</source>
        <translation>
            <numerusform>[%n] - Bild ausgewählt</numerusform>
            <numerusform>[%n] - Bilder ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>it changed while it was being read</source>
        <translation>es hat sich beim Lesen geändert</translation>
    </message>
    <message>
        <source>%1: across %2 mm, down %3 mm (printed at %4 % across, %5 % down)</source>
        <translation>%1: quer %2 mm, längs %3 mm (gedruckt mit %4 % quer, %5 % längs)</translation>
    </message>
    <message>
        <source>--calibrate needs the printer&apos;s name</source>
        <translation>--calibrate braucht den Namen des Druckers</translation>
    </message>
    <message>
        <source>%1 has no correction to remove</source>
        <translation>%1 hat keine Korrektur, die sich entfernen ließe</translation>
    </message>
    <message>
        <source>%1: correction removed; sheets print at their own size</source>
        <translation>%1: Korrektur entfernt; Bögen werden in ihrer eigenen Größe gedruckt</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, nor any other; nothing was stored</source>
        <translation>das Drucksystem kennt keinen Drucker namens %1 und auch keinen anderen; nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, only %2; nothing was stored</source>
        <translation>das Drucksystem kennt keinen Drucker namens %1, nur %2; nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>give the two scales&apos; lengths as measured, ACROSS DOWN, in millimetres from 190 to 210 (for instance 197.2 201.6); nothing was stored</source>
        <translation>geben Sie die gemessenen Längen der beiden Skalen an, QUER LÄNGS, in Millimetern von 190 bis 210 (zum Beispiel 197,2 201,6); nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>the settings could not be written; nothing was stored</source>
        <translation>die Einstellungen ließen sich nicht schreiben; nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>No printer has a correction: every sheet prints at its own size.</source>
        <translation>Kein Drucker hat eine Korrektur: Jeder Bogen wird in seiner eigenen Größe gedruckt.</translation>
    </message>
    <message>
        <source>there is no default printer</source>
        <translation>es gibt keinen Standarddrucker</translation>
    </message>
    <message>
        <source>no printer is named %1</source>
        <translation>kein Drucker heißt %1</translation>
    </message>
    <message>
        <source>%1 could not take the job</source>
        <translation>%1 hat den Auftrag nicht angenommen</translation>
    </message>
    <message>
        <source>The paper the sheet is laid out for and printed on</source>
        <translation>Das Papier, für das der Bogen angelegt und auf das er gedruckt wird</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Copies that do not fit continue in further columns, then on further sheets (02.jpg, 03.jpg, ...)</source>
        <translation>Abzüge, die nicht passen, gehen in weiteren Spalten weiter, dann auf weiteren Bögen (02.jpg, 03.jpg, …)</translation>
    </message>
    <message>
        <source>More sheets</source>
        <translation>Weitere Bögen</translation>
    </message>
    <message>
        <source>Custom paper size</source>
        <translation>Eigenes Papierformat</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>millimetres</source>
        <translation>Millimeter</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Length (a roll&apos;s up to 100 inches):</source>
        <translation>Länge (eine Rolle bis 100 Zoll):</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Einheit:</translation>
    </message>
    <message>
        <source>Custom size…</source>
        <translation>Eigenes Format…</translation>
    </message>
    <message>
        <source>1 sheet was written: 01.jpg.</source>
        <translation>1 Bogen wurde geschrieben: 01.jpg.</translation>
    </message>
    <message numerus="yes">
        <source>%n sheets were written: 01.jpg to %1.</source>
        <translation>
            <numerusform>%n Bogen wurde geschrieben: 01.jpg bis %1.</numerusform>
            <numerusform>%n Bögen wurden geschrieben: 01.jpg bis %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>With “More sheets” they continue on further sheets.</source>
        <translation>Mit „Weitere Bögen“ gehen sie auf weiteren Bögen weiter.</translation>
    </message>
    <message>
        <source>not enough memory to write it</source>
        <translation>nicht genug Speicher, um ihn zu schreiben</translation>
    </message>
    <message>
        <source>The sheet %1 was not printed: %2.</source>
        <translation>Der Bogen %1 wurde nicht gedruckt: %2.</translation>
    </message>
    <message>
        <source>the printer could not take the job</source>
        <translation>Der Drucker hat den Auftrag nicht angenommen</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>The printer %1 has no paper %2 (%3 x %4 mm) and takes no size of your own of it. Its papers: %5.
Nothing was printed: choose another printer, or another paper and Go again.</source>
        <translation>Der Drucker %1 hat kein Papier %2 (%3 x %4 mm) und nimmt dieses Format auch nicht als eigenes Format an. Seine Papiere: %5.
Es wurde nichts gedruckt: Wählen Sie einen anderen Drucker oder ein anderes Papier und drücken Sie erneut Go.</translation>
    </message>
    <message>
        <source>Proof for %1…</source>
        <translation>Softproof für %1…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Choose the printer profile</source>
        <translation>Druckerprofil wählen</translation>
    </message>
    <message>
        <source>Remove profile</source>
        <translation>Profil entfernen</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>Relative colorimetric</source>
        <translation>Relativ farbmetrisch</translation>
    </message>
    <message>
        <source>Black point compensation</source>
        <translation>Tiefenkompensierung</translation>
    </message>
    <message>
        <source>Printer profile:</source>
        <translation>Druckerprofil:</translation>
    </message>
    <message>
        <source>Rendering intent:</source>
        <translation>Renderpriorität:</translation>
    </message>
    <message>
        <source>The printer profile cannot be used: %1. Nothing is printed on this printer until it is chosen again or removed.</source>
        <translation>Das Druckerprofil ist nicht verwendbar: %1. Auf diesem Drucker wird nichts gedruckt, bis es neu gewählt oder entfernt wird.</translation>
    </message>
    <message>
        <source>Printer profile</source>
        <translation>Druckerprofil</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm *.ICC *.ICM);;All files (*)</source>
        <translation>ICC-Profile (*.icc *.icm *.ICC *.ICM);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Profile Refused</source>
        <translation>Profil abgelehnt</translation>
    </message>
    <message>
        <source>%1.
Nothing was stored.</source>
        <translation>%1.
Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>a scanner or camera</source>
        <translation>eines Scanners oder einer Kamera</translation>
    </message>
    <message>
        <source>a screen</source>
        <translation>eines Bildschirms</translation>
    </message>
    <message>
        <source>a device link</source>
        <translation>einer Geräteverknüpfung</translation>
    </message>
    <message>
        <source>a colour space</source>
        <translation>eines Farbraums</translation>
    </message>
    <message>
        <source>%1 is larger than any printer profile</source>
        <translation>%1 ist größer als jedes Druckerprofil</translation>
    </message>
    <message>
        <source>%1 is no ICC profile</source>
        <translation>%1 ist kein ICC-Profil</translation>
    </message>
    <message>
        <source>%1 is the profile of %2, not of a printer</source>
        <translation>%1 ist das Profil %2, nicht eines Druckers</translation>
    </message>
    <message>
        <source>%1 is a CMYK profile: Qt 6.4, which draws the print job, hands printers RGB only; choose the printer&apos;s RGB profile</source>
        <translation>%1 ist ein CMYK-Profil: Qt 6.4, das den Druckauftrag zeichnet, übergibt Druckern nur RGB; wählen Sie das RGB-Profil des Druckers</translation>
    </message>
    <message>
        <source>%1 is a profile of %2 colours, not of RGB</source>
        <translation>%1 ist ein Profil für %2-Farben, nicht für RGB</translation>
    </message>
    <message>
        <source>LittleCMS cannot convert colours with %1</source>
        <translation>LittleCMS kann mit %1 keine Farben umrechnen</translation>
    </message>
    <message>
        <source>%1, black point compensation %2</source>
        <translation>%1, Tiefenkompensierung %2</translation>
    </message>
    <message>
        <source>perceptual</source>
        <translation>wahrnehmungsorientiert</translation>
    </message>
    <message>
        <source>relative colorimetric</source>
        <translation>relativ farbmetrisch</translation>
    </message>
    <message>
        <source>on</source>
        <translation>an</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.
Nothing was printed: choose its profile again in Printer calibration, or remove it.</source>
        <translation>Das Druckerprofil von %1 ist nicht verwendbar: %2.
Es wurde nichts gedruckt: Wählen Sie sein Profil unter Druckerkalibrierung neu, oder entfernen Sie es.</translation>
    </message>
    <message>
        <source>No printer profile: colours go to the printer as sRGB.</source>
        <translation>Kein Druckerprofil: Die Farben gehen als sRGB an den Drucker.</translation>
    </message>
    <message>
        <source>Colours are converted to the printer profile %1 (%2).</source>
        <translation>Die Farben werden in das Druckerprofil %1 umgerechnet (%2).</translation>
    </message>
    <message>
        <source>%1: profile %2, %3</source>
        <translation>%1: Profil %2, %3</translation>
    </message>
    <message>
        <source>%1 has no profile to remove</source>
        <translation>%1 hat kein Profil, das sich entfernen ließe</translation>
    </message>
    <message>
        <source>%1: profile removed; colours go to the printer as sRGB</source>
        <translation>%1: Profil entfernt; die Farben gehen als sRGB an den Drucker</translation>
    </message>
    <message>
        <source>give the printer&apos;s name and its profile&apos;s file, and as intent perceptual or relative; nothing was stored</source>
        <translation>geben Sie den Namen des Druckers und die Datei seines Profils an, als Priorität perceptual oder relative; nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>%1; nothing was stored</source>
        <translation>%1; nichts wurde gespeichert</translation>
    </message>
    <message>
        <source>No Proof</source>
        <translation>Kein Softproof</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.</source>
        <translation>Das Druckerprofil von %1 ist nicht verwendbar: %2.</translation>
    </message>
    <message>
        <source>%1 has no printer profile.</source>
        <translation>%1 hat kein Druckerprofil.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be read: %2</source>
        <translation>Der Bogen %1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>LittleCMS cannot proof with the profile of %1.</source>
        <translation>LittleCMS kann mit dem Profil von %1 keinen Softproof erstellen.</translation>
    </message>
    <message>
        <source>Proof for %1</source>
        <translation>Softproof für %1</translation>
    </message>
    <message>
        <source>Proof of %1 for %2</source>
        <translation>Softproof von %1 für %2</translation>
    </message>
    <message>
        <source>Mark colours the printer cannot print (in magenta)</source>
        <translation>Farben markieren, die der Drucker nicht drucken kann (in Magenta)</translation>
    </message>
    <message>
        <source>%1 % of the sheet lies outside what the printer can print.</source>
        <translation>%1 % des Bogens liegen außerhalb dessen, was der Drucker drucken kann.</translation>
    </message>
</context>
</TS>
