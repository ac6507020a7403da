<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Quorvel</name>
    <message>
        <source>Morvane-Quorvel</source>
        <translation>Morvane-Quorvel</translation>
    </message>
    <message>
        <source>Open the Morvane web page</source>
        <translation>Abrir la web de Morvane</translation>
    </message>
    <message>
        <source>Morvane web page</source>
        <translation>Web de Morvane</translation>
    </message>
    <message>
        <source>Opens the maker&apos;s web page in the browser</source>
        <translation>Abre la web del fabricante en el navegador</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrada</translation>
    </message>
    <message>
        <source>Path :</source>
        <translation>Ruta:</translation>
    </message>
    <message>
        <source>Source folder</source>
        <translation>Carpeta de origen</translation>
    </message>
    <message>
        <source>The folder of pictures to lay out; Return lists it</source>
        <translation>Carpeta de las fotos que se van a montar; pulse Intro para mostrarla</translation>
    </message>
    <message>
        <source>Choose the source folder</source>
        <translation>Elegir la carpeta de origen</translation>
    </message>
    <message>
        <source>Chooses the folder of pictures to lay out and lists it</source>
        <translation>Elige la carpeta de las fotos y la muestra</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Reload the source folder</source>
        <translation>Volver a cargar la carpeta de origen</translation>
    </message>
    <message>
        <source>Lists the folder in the source path field again</source>
        <translation>Vuelve a mostrar la carpeta de la ruta de origen</translation>
    </message>
    <message>
        <source>R</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Print Size in Inches 300 dpi</source>
        <translation>Tamaño de impresión en pulgadas a 300 ppp</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Ancho:</translation>
    </message>
    <message>
        <source>Picture width in inches</source>
        <translation>Ancho de la foto en pulgadas</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Alto:</translation>
    </message>
    <message>
        <source>Picture height in inches</source>
        <translation>Alto de la foto en pulgadas</translation>
    </message>
    <message>
        <source>No of File(s)</source>
        <translation>N.º de archivos</translation>
    </message>
    <message>
        <source>Copy direction</source>
        <translation>Colocación de las copias</translation>
    </message>
    <message>
        <source>How the copies line up on the sheet</source>
        <translation>Cómo se colocan las copias en la hoja</translation>
    </message>
    <message>
        <source>Top to Bottom</source>
        <translation>De arriba abajo</translation>
    </message>
    <message>
        <source>Rotate &amp; Left to Right</source>
        <translation>Girar, de izquierda a derecha</translation>
    </message>
    <message>
        <source>Pictures of the source folder</source>
        <translation>Fotos de la carpeta de origen</translation>
    </message>
    <message>
        <source>Select the pictures in the order they go on the sheet; double-click one to set its number of copies</source>
        <translation>Seleccione las fotos en el orden en que van en la hoja; con doble clic se fija el número de copias</translation>
    </message>
    <message>
        <source>Note: 

* Double-Click on the File Name to change the No of Copies
* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Nota:

* Haga doble clic en el nombre del archivo para cambiar el número de copias
* Mantenga pulsada Ctrl y haga doble clic en el nombre del archivo para abrirlo (en el visor)
* Mantenga pulsadas Ctrl + Mayús y haga doble clic en el nombre del archivo para abrir su carpeta (en el gestor de archivos)</translation>
    </message>
    <message>
        <source>Lays the selected pictures out on one sheet and saves it as 01.jpg</source>
        <translation>Coloca las fotos seleccionadas en una hoja y la guarda como 01.jpg</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Carpeta de destino</translation>
    </message>
    <message>
        <source>The folder the sheets are saved in; Return lists it</source>
        <translation>Carpeta donde se guardan las hojas; pulse Intro para mostrarla</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Elegir la carpeta de destino</translation>
    </message>
    <message>
        <source>Chooses the folder the sheets are saved in and lists it</source>
        <translation>Elige la carpeta de las hojas y la muestra</translation>
    </message>
    <message>
        <source>Reload the destination folder</source>
        <translation>Volver a cargar la carpeta de destino</translation>
    </message>
    <message>
        <source>Lists the folder in the destination path field again</source>
        <translation>Vuelve a mostrar la carpeta de la ruta de destino</translation>
    </message>
    <message>
        <source>Sheet width in inches</source>
        <translation>Ancho de la hoja en pulgadas</translation>
    </message>
    <message>
        <source>Sheet height in inches</source>
        <translation>Alto de la hoja en pulgadas</translation>
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
        <translation>Hojas de la carpeta de destino</translation>
    </message>
    <message>
        <source>The first sheet is the one printed</source>
        <translation>Se imprime la primera hoja</translation>
    </message>
    <message>
        <source>Prints the first sheet of the output list</source>
        <translation>Imprime la primera hoja de la lista de salida</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Crop Image</source>
        <translation>Recortar imagen</translation>
    </message>
    <message>
        <source>Note: 

* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Nota:

* Mantenga pulsada Ctrl y haga doble clic en el nombre del archivo para abrirlo (en el visor)
* Mantenga pulsadas Ctrl + Mayús y haga doble clic en el nombre del archivo para abrir su carpeta (en el gestor de archivos)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Test Message</source>
        <translation>No encontrado</translation>
    </message>
    <message>
        <source>Lay the selected pictures out on a sheet and save it</source>
        <translation>Colocar las fotos seleccionadas en una hoja y guardarla</translation>
    </message>
    <message>
        <source>Print the first sheet of the output list</source>
        <translation>Imprimir la primera hoja de la lista de salida</translation>
    </message>
    <message>
        <source>List the source folder again</source>
        <translation>Volver a mostrar la carpeta de origen</translation>
    </message>
    <message>
        <source>List the destination folder again</source>
        <translation>Volver a mostrar la carpeta de destino</translation>
    </message>
    <message>
        <source>Choose the folder of pictures</source>
        <translation>Elegir la carpeta de las fotos</translation>
    </message>
    <message>
        <source>Choose the folder for the sheets</source>
        <translation>Elegir la carpeta de las hojas</translation>
    </message>
    <message>
        <source>No Of Copies:</source>
        <translation>Número de copias:</translation>
    </message>
    <message>
        <source>Thumbnails still being made</source>
        <translation>Creando miniaturas</translation>
    </message>
    <message>
        <source>No Sheet Written</source>
        <translation>Ninguna hoja guardada</translation>
    </message>
    <message>
        <source>Task Completed</source>
        <translation>Tarea completada</translation>
    </message>
    <message>
        <source>Sheet Not Saved</source>
        <translation>Hoja no guardada</translation>
    </message>
    <message>
        <source>The sheet could not be saved as %1: %2
The previous sheet was left as it was.</source>
        <translation>No se ha podido guardar la hoja como %1: %2
La hoja anterior sigue como estaba.</translation>
    </message>
    <message>
        <source>Skipped, could not be read: %1</source>
        <translation>Omitida, no se puede leer: %1</translation>
    </message>
    <message>
        <source>1 copy did not fit on the sheet and was left out.</source>
        <translation>1 copia no cabía en la hoja y se ha dejado fuera.</translation>
    </message>
    <message>
        <source>%1 copies did not fit on the sheet and were left out.</source>
        <translation>%1 copias no cabían en la hoja y se han dejado fuera.</translation>
    </message>
    <message>
        <source>No sheet was written.</source>
        <translation>No se ha guardado ninguna hoja.</translation>
    </message>
    <message>
        <source>The sheet size is not usable.</source>
        <translation>El tamaño de la hoja no se puede usar.</translation>
    </message>
    <message>
        <source>No picture is selected.</source>
        <translation>No hay ninguna foto seleccionada.</translation>
    </message>
    <message>
        <source>Every selected picture is set to 0 copies.</source>
        <translation>Todas las fotos seleccionadas están en 0 copias.</translation>
    </message>
    <message>
        <source>Could not be read: %1</source>
        <translation>No se puede leer: %1</translation>
    </message>
    <message>
        <source>The margins (left %1, top %2 pixels) put the copies outside the sheet.</source>
        <translation>Los márgenes (izquierdo %1, superior %2 píxeles) dejan las copias fuera de la hoja.</translation>
    </message>
    <message>
        <source>%1 (%2 x %3 pixels) does not fit in the %4 x %5 pixels inside the margins.</source>
        <translation>%1 (%2 x %3 píxeles) no cabe en los %4 x %5 píxeles dentro de los márgenes.</translation>
    </message>
    <message>
        <source>Enter Left Margin</source>
        <translation>Margen izquierdo</translation>
    </message>
    <message>
        <source>Left Margin (in Pixels):</source>
        <translation>Margen izquierdo (en píxeles):</translation>
    </message>
    <message>
        <source>Enter Top Margin</source>
        <translation>Margen superior</translation>
    </message>
    <message>
        <source>Top Margin (in Pixels):</source>
        <translation>Margen superior (en píxeles):</translation>
    </message>
    <message>
        <source>Enter Gutter Width</source>
        <translation>Ancho de la separación</translation>
    </message>
    <message>
        <source>Gutter Width (in Pixels):</source>
        <translation>Ancho de la separación (en píxeles):</translation>
    </message>
    <message>
        <source>Enter Gutter Height</source>
        <translation>Alto de la separación</translation>
    </message>
    <message>
        <source>Gutter Height (in Pixels):</source>
        <translation>Alto de la separación (en píxeles):</translation>
    </message>
    <message>
        <source>Nothing to Print</source>
        <translation>Nada que imprimir</translation>
    </message>
    <message>
        <source>The output list holds no sheet to print.</source>
        <translation>La lista de salida no tiene ninguna hoja para imprimir.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be printed: %2</source>
        <translation>No se puede imprimir la hoja %1: %2</translation>
    </message>
    <message>
        <source>Not Printed</source>
        <translation>Error de impresión</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is beyond the limits of %3 pixels a side and %4 megapixels</source>
        <translation>%1 x %2 píxeles superan los límites de %3 píxeles por lado y %4 megapíxeles</translation>
    </message>
    <message>
        <source>its data needs a buffer of over %1 MB</source>
        <translation>sus datos requieren un búfer de más de %1 MB</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>archivo no encontrado</translation>
    </message>
    <message>
        <source>its picture data cannot be decoded</source>
        <translation>no se pueden descodificar sus datos de imagen</translation>
    </message>
    <message>
        <source>the PNG header is cut short or malformed</source>
        <translation>la cabecera PNG está incompleta o mal formada</translation>
    </message>
    <message>
        <source>not a JPEG, PNG, TIFF or TGA picture</source>
        <translation>no es una imagen JPEG, PNG, TIFF ni TGA</translation>
    </message>
    <message>
        <source>cut off before its end</source>
        <translation>cortada antes del final</translation>
    </message>
    <message>
        <source>its header tells no size</source>
        <translation>su cabecera no indica ningún tamaño</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>no hay memoria suficiente para leerla</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1 x %2 pixels</source>
        <translation>no hay memoria suficiente para una imagen de %1 x %2 píxeles</translation>
    </message>
    <message>
        <source>the TGA header is cut short</source>
        <translation>la cabecera TGA está incompleta</translation>
    </message>
    <message>
        <source>TGA image type %1 is not a picture</source>
        <translation>el tipo de imagen TGA %1 no es una imagen</translation>
    </message>
    <message>
        <source>unknown TGA colour map type %1</source>
        <translation>tipo de paleta TGA %1 desconocido</translation>
    </message>
    <message>
        <source>TGA colour map entries of %1 bits</source>
        <translation>entradas de paleta TGA de %1 bits</translation>
    </message>
    <message>
        <source>a colour-mapped TGA without a usable colour map</source>
        <translation>TGA con paleta sin una paleta utilizable</translation>
    </message>
    <message>
        <source>greyscale TGA of %1 bits a pixel</source>
        <translation>TGA en escala de grises de %1 bits por píxel</translation>
    </message>
    <message>
        <source>true-colour TGA of %1 bits a pixel</source>
        <translation>TGA en color verdadero de %1 bits por píxel</translation>
    </message>
    <message>
        <source>the TGA picture is empty</source>
        <translation>la imagen TGA está vacía</translation>
    </message>
    <message>
        <source>the TGA file is cut short</source>
        <translation>el archivo TGA está incompleto</translation>
    </message>
    <message>
        <source>the TGA pixel data is cut short</source>
        <translation>los datos de píxeles TGA están incompletos</translation>
    </message>
    <message>
        <source>a TGA pixel points outside the colour map</source>
        <translation>un píxel TGA apunta fuera de la paleta</translation>
    </message>
    <message>
        <source>%1 samples a pixel is more than this reader takes</source>
        <translation>%1 muestras por píxel son más de las que lee este programa</translation>
    </message>
    <message>
        <source>%1 bits a sample</source>
        <translation>%1 bits por muestra</translation>
    </message>
    <message>
        <source>its tiles of %1 x %2 pixels are larger than its picture</source>
        <translation>sus teselas de %1 x %2 píxeles son mayores que la imagen</translation>
    </message>
    <message>
        <source>not a readable TIFF file</source>
        <translation>no es un archivo TIFF legible</translation>
    </message>
    <message>
        <source>the TIFF&apos;s pixel data cannot be read</source>
        <translation>no se pueden leer los datos de píxeles del TIFF</translation>
    </message>
    <message>
        <source>Copies…</source>
        <translation>Copias…</translation>
    </message>
    <message>
        <source>Open in viewer</source>
        <translation>Abrir en el visor</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Abrir la carpeta</translation>
    </message>
    <message>
        <source>Left margin…</source>
        <translation>Margen izquierdo…</translation>
    </message>
    <message>
        <source>Top margin…</source>
        <translation>Margen superior…</translation>
    </message>
    <message>
        <source>Gutter width…</source>
        <translation>Ancho de la separación…</translation>
    </message>
    <message>
        <source>Gutter height…</source>
        <translation>Alto de la separación…</translation>
    </message>
    <message>
        <source>Show Crop Image option</source>
        <translation>Mostrar la opción «Recortar imagen»</translation>
    </message>
    <message>
        <source>click</source>
        <translation>clic</translation>
    </message>
    <message>
        <source>%1st</source>
        <comment>the first</comment>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.º</translation>
    </message>
    <message>
        <source>1 copy</source>
        <translation>1 copia</translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n copia</numerusform>
            <numerusform>%n copias</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2 on the sheet</source>
        <translation>%1, %2 en la hoja</translation>
    </message>
    <message>
        <source>1 picture selected</source>
        <translation>1 foto seleccionada</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures selected</source>
        <translation>
            <numerusform>%n foto seleccionada</numerusform>
            <numerusform>%n fotos seleccionadas</numerusform>
        </translation>
    </message>
    <message>
        <source>Job Completed</source>
        <translation>Trabajo completado</translation>
    </message>
    <message>
        <source>Printer calibration: %1, %2</source>
        <translation>Calibración de la impresora: %1, %2</translation>
    </message>
    <message>
        <source>ACROSS: measure this scale from 0 to 200</source>
        <translation>ANCHO: mida esta escala de 0 a 200</translation>
    </message>
    <message>
        <source>DOWN: measure this scale from 0 to 200</source>
        <translation>ALTO: mida esta escala de 0 a 200</translation>
    </message>
    <message>
        <source>35 x 45 mm</source>
        <translation>35 x 45 mm</translation>
    </message>
    <message>
        <source>2 x 2 inches</source>
        <translation>2 x 2 pulgadas</translation>
    </message>
    <message>
        <source>1. Measure both scales with a ruler, from 0 to 200, to a tenth of a millimetre.
2. Type the two lengths in Printer calibration (or: quorvel --calibrate PRINTER ACROSS DOWN). Sheets printed on this printer are then scaled to true size.</source>
        <translation>1. Mida las dos escalas con una regla, de 0 a 200, con precisión de una décima de milímetro.
2. Escriba las dos longitudes en Calibración de la impresora (o: quorvel --calibrate PRINTER ACROSS DOWN). Las hojas impresas en esta impresora se ajustan entonces a su tamaño real.</translation>
    </message>
    <message>
        <source>Printer calibration</source>
        <translation>Calibración de la impresora</translation>
    </message>
    <message>
        <source>Printer calibration…</source>
        <translation>Calibración de la impresora…</translation>
    </message>
    <message>
        <source>No correction: sheets print at their own size.</source>
        <translation>Sin corrección: las hojas se imprimen a su propio tamaño.</translation>
    </message>
    <message>
        <source>Sheets on this printer are printed at %1 % across and %2 % down.</source>
        <translation>Las hojas se imprimen en esta impresora al %1 % de ancho y al %2 % de alto.</translation>
    </message>
    <message>
        <source>Print calibration sheet</source>
        <translation>Imprimir la hoja de calibración</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Impresora:</translation>
    </message>
    <message>
        <source>Across, as measured (mm):</source>
        <translation>Ancho medido (mm):</translation>
    </message>
    <message>
        <source>Down, as measured (mm):</source>
        <translation>Alto medido (mm):</translation>
    </message>
    <message>
        <source>Print the calibration sheet, measure its two 200 mm scales and type what they measured.</source>
        <translation>Imprima la hoja de calibración, mida sus dos escalas de 200 mm y escriba lo que miden.</translation>
    </message>
    <message>
        <source>Type each length in millimetres, from 190 to 210.</source>
        <translation>Escriba cada longitud en milímetros, de 190 a 210.</translation>
    </message>
    <message>
        <source>The calibration sheet was not printed: the printer could not take the job.</source>
        <translation>La hoja de calibración no se ha impreso: la impresora no ha aceptado el trabajo.</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Calibración</translation>
    </message>
    <message numerus="yes">
        <source>[%n] - File(s)</source>
        <translation>
            <numerusform>[%n] - foto seleccionada</numerusform>
            <numerusform>[%n] - fotos seleccionadas</numerusform>
        </translation>
    </message>
    <message>
        <source>it changed while it was being read</source>
        <translation>cambió mientras se leía</translation>
    </message>
    <message>
        <source>%1: across %2 mm, down %3 mm (printed at %4 % across, %5 % down)</source>
        <translation>%1: de ancho %2 mm, de alto %3 mm (se imprime al %4 % de ancho y al %5 % de alto)</translation>
    </message>
    <message>
        <source>--calibrate needs the printer&apos;s name</source>
        <translation>--calibrate necesita el nombre de la impresora</translation>
    </message>
    <message>
        <source>%1 has no correction to remove</source>
        <translation>%1 no tiene ninguna corrección que quitar</translation>
    </message>
    <message>
        <source>%1: correction removed; sheets print at their own size</source>
        <translation>%1: corrección quitada; las hojas se imprimen a su propio tamaño</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, nor any other; nothing was stored</source>
        <translation>el sistema de impresión no conoce ninguna impresora llamada %1, ni ninguna otra; no se ha guardado nada</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, only %2; nothing was stored</source>
        <translation>el sistema de impresión no conoce ninguna impresora llamada %1, solo %2; no se ha guardado nada</translation>
    </message>
    <message>
        <source>give the two scales&apos; lengths as measured, ACROSS DOWN, in millimetres from 190 to 210 (for instance 197.2 201.6); nothing was stored</source>
        <translation>indique las longitudes medidas de las dos escalas, ANCHO ALTO, en milímetros de 190 a 210 (por ejemplo 197,2 201,6); no se ha guardado nada</translation>
    </message>
    <message>
        <source>the settings could not be written; nothing was stored</source>
        <translation>no se ha podido escribir la configuración; no se ha guardado nada</translation>
    </message>
    <message>
        <source>No printer has a correction: every sheet prints at its own size.</source>
        <translation>Ninguna impresora tiene corrección: cada hoja se imprime a su propio tamaño.</translation>
    </message>
    <message>
        <source>there is no default printer</source>
        <translation>no hay ninguna impresora predeterminada</translation>
    </message>
    <message>
        <source>no printer is named %1</source>
        <translation>ninguna impresora se llama %1</translation>
    </message>
    <message>
        <source>%1 could not take the job</source>
        <translation>%1 no ha aceptado el trabajo</translation>
    </message>
    <message>
        <source>The paper the sheet is laid out for and printed on</source>
        <translation>El papel para el que se compone la hoja y en el que se imprime</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papel</translation>
    </message>
    <message>
        <source>Copies that do not fit continue in further columns, then on further sheets (02.jpg, 03.jpg, ...)</source>
        <translation>Las copias que no caben siguen en más columnas y luego en más hojas (02.jpg, 03.jpg, …)</translation>
    </message>
    <message>
        <source>More sheets</source>
        <translation>Más hojas</translation>
    </message>
    <message>
        <source>Custom paper size</source>
        <translation>Tamaño de papel propio</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>pulgadas</translation>
    </message>
    <message>
        <source>millimetres</source>
        <translation>milímetros</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ancho:</translation>
    </message>
    <message>
        <source>Length (a roll&apos;s up to 100 inches):</source>
        <translation>Largo (un rollo hasta 100 pulgadas):</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Unidad:</translation>
    </message>
    <message>
        <source>Custom size…</source>
        <translation>Tamaño propio…</translation>
    </message>
    <message>
        <source>1 sheet was written: 01.jpg.</source>
        <translation>Se ha escrito 1 hoja: 01.jpg.</translation>
    </message>
    <message numerus="yes">
        <source>%n sheets were written: 01.jpg to %1.</source>
        <translation>
            <numerusform>Se ha escrito %n hoja: de 01.jpg a %1.</numerusform>
            <numerusform>Se han escrito %n hojas: de 01.jpg a %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>With “More sheets” they continue on further sheets.</source>
        <translation>Con «Más hojas» siguen en más hojas.</translation>
    </message>
    <message>
        <source>not enough memory to write it</source>
        <translation>no hay memoria suficiente para escribirla</translation>
    </message>
    <message>
        <source>The sheet %1 was not printed: %2.</source>
        <translation>La hoja %1 no se ha impreso: %2.</translation>
    </message>
    <message>
        <source>the printer could not take the job</source>
        <translation>la impresora no ha aceptado el trabajo</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>The printer %1 has no paper %2 (%3 x %4 mm) and takes no size of your own of it. Its papers: %5.
Nothing was printed: choose another printer, or another paper and Go again.</source>
        <translation>La impresora %1 no tiene papel %2 (%3 x %4 mm) ni admite ese tamaño como tamaño propio. Sus papeles: %5.
No se ha impreso nada: elija otra impresora, u otro papel y vuelva a pulsar Go.</translation>
    </message>
    <message>
        <source>Proof for %1…</source>
        <translation>Prueba en pantalla para %1…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Choose the printer profile</source>
        <translation>Elegir el perfil de la impresora</translation>
    </message>
    <message>
        <source>Remove profile</source>
        <translation>Quitar el perfil</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Perceptual</translation>
    </message>
    <message>
        <source>Relative colorimetric</source>
        <translation>Colorimétrico relativo</translation>
    </message>
    <message>
        <source>Black point compensation</source>
        <translation>Compensación del punto negro</translation>
    </message>
    <message>
        <source>Printer profile:</source>
        <translation>Perfil de la impresora:</translation>
    </message>
    <message>
        <source>Rendering intent:</source>
        <translation>Propósito de interpretación:</translation>
    </message>
    <message>
        <source>The printer profile cannot be used: %1. Nothing is printed on this printer until it is chosen again or removed.</source>
        <translation>El perfil de la impresora no se puede usar: %1. No se imprime nada en esta impresora hasta que se elija de nuevo o se quite.</translation>
    </message>
    <message>
        <source>Printer profile</source>
        <translation>Perfil de la impresora</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm *.ICC *.ICM);;All files (*)</source>
        <translation>Perfiles ICC (*.icc *.icm *.ICC *.ICM);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Profile Refused</source>
        <translation>Perfil rechazado</translation>
    </message>
    <message>
        <source>%1.
Nothing was stored.</source>
        <translation>%1.
No se guardó nada.</translation>
    </message>
    <message>
        <source>a scanner or camera</source>
        <translation>de un escáner o una cámara</translation>
    </message>
    <message>
        <source>a screen</source>
        <translation>de una pantalla</translation>
    </message>
    <message>
        <source>a device link</source>
        <translation>de un enlace de dispositivos</translation>
    </message>
    <message>
        <source>a colour space</source>
        <translation>de un espacio de color</translation>
    </message>
    <message>
        <source>%1 is larger than any printer profile</source>
        <translation>%1 es más grande que cualquier perfil de impresora</translation>
    </message>
    <message>
        <source>%1 is no ICC profile</source>
        <translation>%1 no es un perfil ICC</translation>
    </message>
    <message>
        <source>%1 is the profile of %2, not of a printer</source>
        <translation>%1 es el perfil %2, no de una impresora</translation>
    </message>
    <message>
        <source>%1 is a CMYK profile: Qt 6.4, which draws the print job, hands printers RGB only; choose the printer&apos;s RGB profile</source>
        <translation>%1 es un perfil CMYK: Qt 6.4, que dibuja el trabajo de impresión, solo entrega RGB a las impresoras; elija el perfil RGB de la impresora</translation>
    </message>
    <message>
        <source>%1 is a profile of %2 colours, not of RGB</source>
        <translation>%1 es un perfil de colores %2, no RGB</translation>
    </message>
    <message>
        <source>LittleCMS cannot convert colours with %1</source>
        <translation>LittleCMS no puede convertir colores con %1</translation>
    </message>
    <message>
        <source>%1, black point compensation %2</source>
        <translation>%1, compensación del punto negro %2</translation>
    </message>
    <message>
        <source>perceptual</source>
        <translation>perceptual</translation>
    </message>
    <message>
        <source>relative colorimetric</source>
        <translation>colorimétrico relativo</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activada</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivada</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.
Nothing was printed: choose its profile again in Printer calibration, or remove it.</source>
        <translation>El perfil de la impresora %1 no se puede usar: %2.
No se imprimió nada: elija de nuevo su perfil en Calibración de la impresora, o quítelo.</translation>
    </message>
    <message>
        <source>No printer profile: colours go to the printer as sRGB.</source>
        <translation>Sin perfil de impresora: los colores van a la impresora como sRGB.</translation>
    </message>
    <message>
        <source>Colours are converted to the printer profile %1 (%2).</source>
        <translation>Los colores se convierten al perfil de impresora %1 (%2).</translation>
    </message>
    <message>
        <source>%1: profile %2, %3</source>
        <translation>%1: perfil %2, %3</translation>
    </message>
    <message>
        <source>%1 has no profile to remove</source>
        <translation>%1 no tiene perfil que quitar</translation>
    </message>
    <message>
        <source>%1: profile removed; colours go to the printer as sRGB</source>
        <translation>%1: perfil quitado; los colores van a la impresora como sRGB</translation>
    </message>
    <message>
        <source>give the printer&apos;s name and its profile&apos;s file, and as intent perceptual or relative; nothing was stored</source>
        <translation>indique el nombre de la impresora y el archivo de su perfil, y como propósito perceptual o relative; no se guardó nada</translation>
    </message>
    <message>
        <source>%1; nothing was stored</source>
        <translation>%1; no se guardó nada</translation>
    </message>
    <message>
        <source>No Proof</source>
        <translation>Sin prueba</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.</source>
        <translation>El perfil de la impresora %1 no se puede usar: %2.</translation>
    </message>
    <message>
        <source>%1 has no printer profile.</source>
        <translation>%1 no tiene perfil de impresora.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be read: %2</source>
        <translation>La hoja %1 no se puede leer: %2</translation>
    </message>
    <message>
        <source>LittleCMS cannot proof with the profile of %1.</source>
        <translation>LittleCMS no puede hacer la prueba con el perfil de %1.</translation>
    </message>
    <message>
        <source>Proof for %1</source>
        <translation>Prueba en pantalla para %1</translation>
    </message>
    <message>
        <source>Proof of %1 for %2</source>
        <translation>Prueba de %1 para %2</translation>
    </message>
    <message>
        <source>Mark colours the printer cannot print (in magenta)</source>
        <translation>Marcar los colores que la impresora no puede imprimir (en magenta)</translation>
    </message>
    <message>
        <source>%1 % of the sheet lies outside what the printer can print.</source>
        <translation>El %1 % de la hoja queda fuera de lo que la impresora puede imprimir.</translation>
    </message>
</context>
</TS>
