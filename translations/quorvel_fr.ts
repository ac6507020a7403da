<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Quorvel</name>
    <message>
        <source>Morvane-Quorvel</source>
        <translation>Morvane-Quorvel</translation>
    </message>
    <message>
        <source>Open the Morvane web page</source>
        <translation>Ouvrir le site de Morvane</translation>
    </message>
    <message>
        <source>Morvane web page</source>
        <translation>Site web de Morvane</translation>
    </message>
    <message>
        <source>Opens the maker&apos;s web page in the browser</source>
        <translation>Ouvre le site du fabricant dans le navigateur</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Entrée</translation>
    </message>
    <message>
        <source>Path :</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <source>Source folder</source>
        <translation>Dossier source</translation>
    </message>
    <message>
        <source>The folder of pictures to lay out; Return lists it</source>
        <translation>Dossier des photos à mettre en page ; Entrée l&apos;affiche</translation>
    </message>
    <message>
        <source>Choose the source folder</source>
        <translation>Choisir le dossier source</translation>
    </message>
    <message>
        <source>Chooses the folder of pictures to lay out and lists it</source>
        <translation>Choisit le dossier des photos et l&apos;affiche</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Reload the source folder</source>
        <translation>Recharger le dossier source</translation>
    </message>
    <message>
        <source>Lists the folder in the source path field again</source>
        <translation>Réaffiche le dossier indiqué dans le chemin source</translation>
    </message>
    <message>
        <source>R</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Print Size in Inches 300 dpi</source>
        <translation>Format d&apos;impression en pouces à 300 ppp</translation>
    </message>
    <message>
        <source>Width :</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Picture width in inches</source>
        <translation>Largeur de la photo en pouces</translation>
    </message>
    <message>
        <source>Height :</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Picture height in inches</source>
        <translation>Hauteur de la photo en pouces</translation>
    </message>
    <message>
        <source>No of File(s)</source>
        <translation>Nombre de fichiers</translation>
    </message>
    <message>
        <source>Copy direction</source>
        <translation>Sens des tirages</translation>
    </message>
    <message>
        <source>How the copies line up on the sheet</source>
        <translation>Comment les tirages s&apos;alignent sur la planche</translation>
    </message>
    <message>
        <source>Top to Bottom</source>
        <translation>De haut en bas</translation>
    </message>
    <message>
        <source>Rotate &amp; Left to Right</source>
        <translation>Pivoter, de gauche à droite</translation>
    </message>
    <message>
        <source>Pictures of the source folder</source>
        <translation>Photos du dossier source</translation>
    </message>
    <message>
        <source>Select the pictures in the order they go on the sheet; double-click one to set its number of copies</source>
        <translation>Sélectionnez les photos dans l&apos;ordre où elles vont sur la planche ; un double-clic fixe le nombre de tirages</translation>
    </message>
    <message>
        <source>Note: 

* Double-Click on the File Name to change the No of Copies
* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Remarque :

* Double-cliquez sur le nom du fichier pour changer le nombre de tirages
* Maintenez Ctrl et double-cliquez sur le nom du fichier pour l&apos;ouvrir (dans la visionneuse)
* Maintenez Ctrl + Maj et double-cliquez sur le nom du fichier pour ouvrir son dossier (dans le gestionnaire de fichiers)</translation>
    </message>
    <message>
        <source>Lays the selected pictures out on one sheet and saves it as 01.jpg</source>
        <translation>Met en page les photos sélectionnées sur une planche et l&apos;enregistre sous 01.jpg</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Dossier de destination</translation>
    </message>
    <message>
        <source>The folder the sheets are saved in; Return lists it</source>
        <translation>Dossier où les planches sont enregistrées ; Entrée l&apos;affiche</translation>
    </message>
    <message>
        <source>Choose the destination folder</source>
        <translation>Choisir le dossier de destination</translation>
    </message>
    <message>
        <source>Chooses the folder the sheets are saved in and lists it</source>
        <translation>Choisit le dossier des planches et l&apos;affiche</translation>
    </message>
    <message>
        <source>Reload the destination folder</source>
        <translation>Recharger le dossier de destination</translation>
    </message>
    <message>
        <source>Lists the folder in the destination path field again</source>
        <translation>Réaffiche le dossier indiqué dans le chemin de destination</translation>
    </message>
    <message>
        <source>Sheet width in inches</source>
        <translation>Largeur de la planche en pouces</translation>
    </message>
    <message>
        <source>Sheet height in inches</source>
        <translation>Hauteur de la planche en pouces</translation>
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
        <translation>Planches du dossier de destination</translation>
    </message>
    <message>
        <source>The first sheet is the one printed</source>
        <translation>C&apos;est la première planche qui est imprimée</translation>
    </message>
    <message>
        <source>Prints the first sheet of the output list</source>
        <translation>Imprime la première planche de la liste de sortie</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Crop Image</source>
        <translation>Recadrer l&apos;image</translation>
    </message>
    <message>
        <source>Note: 

* Keep Ctrl key pressed &amp; Double Click the Filel Name to Open the File (in external viewer)
* Keep Ctrl + Shift key pressed &amp; Double Click on the File Name to open the Path (in Explorer)</source>
        <translation>Remarque :

* Maintenez Ctrl et double-cliquez sur le nom du fichier pour l&apos;ouvrir (dans la visionneuse)
* Maintenez Ctrl + Maj et double-cliquez sur le nom du fichier pour ouvrir son dossier (dans le gestionnaire de fichiers)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Test Message</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Lay the selected pictures out on a sheet and save it</source>
        <translation>Mettre en page les photos sélectionnées sur une planche et l&apos;enregistrer</translation>
    </message>
    <message>
        <source>Print the first sheet of the output list</source>
        <translation>Imprimer la première planche de la liste de sortie</translation>
    </message>
    <message>
        <source>List the source folder again</source>
        <translation>Réafficher le dossier source</translation>
    </message>
    <message>
        <source>List the destination folder again</source>
        <translation>Réafficher le dossier de destination</translation>
    </message>
    <message>
        <source>Choose the folder of pictures</source>
        <translation>Choisir le dossier des photos</translation>
    </message>
    <message>
        <source>Choose the folder for the sheets</source>
        <translation>Choisir le dossier des planches</translation>
    </message>
    <message>
        <source>No Of Copies:</source>
        <translation>Nombre de tirages :</translation>
    </message>
    <message>
        <source>Thumbnails still being made</source>
        <translation>Miniatures en cours de création</translation>
    </message>
    <message>
        <source>No Sheet Written</source>
        <translation>Aucune planche enregistrée</translation>
    </message>
    <message>
        <source>Task Completed</source>
        <translation>Tâche terminée</translation>
    </message>
    <message>
        <source>Sheet Not Saved</source>
        <translation>Planche non enregistrée</translation>
    </message>
    <message>
        <source>The sheet could not be saved as %1: %2
The previous sheet was left as it was.</source>
        <translation>La planche n&apos;a pas pu être enregistrée sous %1 : %2
La planche précédente est restée telle quelle.</translation>
    </message>
    <message>
        <source>Skipped, could not be read: %1</source>
        <translation>Ignorée, illisible : %1</translation>
    </message>
    <message>
        <source>1 copy did not fit on the sheet and was left out.</source>
        <translation>1 tirage ne tenait plus sur la planche et a été laissé de côté.</translation>
    </message>
    <message>
        <source>%1 copies did not fit on the sheet and were left out.</source>
        <translation>%1 tirages ne tenaient plus sur la planche et ont été laissés de côté.</translation>
    </message>
    <message>
        <source>No sheet was written.</source>
        <translation>Aucune planche n&apos;a été enregistrée.</translation>
    </message>
    <message>
        <source>The sheet size is not usable.</source>
        <translation>Le format de la planche n&apos;est pas utilisable.</translation>
    </message>
    <message>
        <source>No picture is selected.</source>
        <translation>Aucune photo n&apos;est sélectionnée.</translation>
    </message>
    <message>
        <source>Every selected picture is set to 0 copies.</source>
        <translation>Toutes les photos sélectionnées sont réglées sur 0 tirage.</translation>
    </message>
    <message>
        <source>Could not be read: %1</source>
        <translation>Illisible : %1</translation>
    </message>
    <message>
        <source>The margins (left %1, top %2 pixels) put the copies outside the sheet.</source>
        <translation>Les marges (gauche %1, haut %2 pixels) placent les tirages hors de la planche.</translation>
    </message>
    <message>
        <source>%1 (%2 x %3 pixels) does not fit in the %4 x %5 pixels inside the margins.</source>
        <translation>%1 (%2 x %3 pixels) ne tient pas dans les %4 x %5 pixels à l&apos;intérieur des marges.</translation>
    </message>
    <message>
        <source>Enter Left Margin</source>
        <translation>Marge de gauche</translation>
    </message>
    <message>
        <source>Left Margin (in Pixels):</source>
        <translation>Marge de gauche (en pixels) :</translation>
    </message>
    <message>
        <source>Enter Top Margin</source>
        <translation>Marge du haut</translation>
    </message>
    <message>
        <source>Top Margin (in Pixels):</source>
        <translation>Marge du haut (en pixels) :</translation>
    </message>
    <message>
        <source>Enter Gutter Width</source>
        <translation>Largeur de l&apos;espacement</translation>
    </message>
    <message>
        <source>Gutter Width (in Pixels):</source>
        <translation>Largeur de l&apos;espacement (en pixels) :</translation>
    </message>
    <message>
        <source>Enter Gutter Height</source>
        <translation>Hauteur de l&apos;espacement</translation>
    </message>
    <message>
        <source>Gutter Height (in Pixels):</source>
        <translation>Hauteur de l&apos;espacement (en pixels) :</translation>
    </message>
    <message>
        <source>Nothing to Print</source>
        <translation>Rien à imprimer</translation>
    </message>
    <message>
        <source>The output list holds no sheet to print.</source>
        <translation>La liste de sortie ne contient aucune planche à imprimer.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be printed: %2</source>
        <translation>La planche %1 ne peut pas être imprimée : %2</translation>
    </message>
    <message>
        <source>Not Printed</source>
        <translation>Échec de l&apos;impression</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is beyond the limits of %3 pixels a side and %4 megapixels</source>
        <translation>%1 x %2 pixels dépassent les limites de %3 pixels par côté et de %4 mégapixels</translation>
    </message>
    <message>
        <source>its data needs a buffer of over %1 MB</source>
        <translation>ses données demandent une mémoire tampon de plus de %1 Mo</translation>
    </message>
    <message>
        <source>file not found</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>its picture data cannot be decoded</source>
        <translation>ses données d&apos;image ne peuvent pas être décodées</translation>
    </message>
    <message>
        <source>the PNG header is cut short or malformed</source>
        <translation>l&apos;en-tête PNG est tronqué ou mal formé</translation>
    </message>
    <message>
        <source>not a JPEG, PNG, TIFF or TGA picture</source>
        <translation>ni une image JPEG, ni PNG, ni TIFF, ni TGA</translation>
    </message>
    <message>
        <source>cut off before its end</source>
        <translation>tronquée avant la fin</translation>
    </message>
    <message>
        <source>its header tells no size</source>
        <translation>son en-tête n&apos;indique aucune taille</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>pas assez de mémoire pour la lire</translation>
    </message>
    <message>
        <source>not enough memory for a picture of %1 x %2 pixels</source>
        <translation>pas assez de mémoire pour une image de %1 x %2 pixels</translation>
    </message>
    <message>
        <source>the TGA header is cut short</source>
        <translation>l&apos;en-tête TGA est tronqué</translation>
    </message>
    <message>
        <source>TGA image type %1 is not a picture</source>
        <translation>le type d&apos;image TGA %1 n&apos;est pas une image</translation>
    </message>
    <message>
        <source>unknown TGA colour map type %1</source>
        <translation>type de palette TGA %1 inconnu</translation>
    </message>
    <message>
        <source>TGA colour map entries of %1 bits</source>
        <translation>entrées de palette TGA de %1 bits</translation>
    </message>
    <message>
        <source>a colour-mapped TGA without a usable colour map</source>
        <translation>TGA à palette sans palette utilisable</translation>
    </message>
    <message>
        <source>greyscale TGA of %1 bits a pixel</source>
        <translation>TGA en niveaux de gris de %1 bits par pixel</translation>
    </message>
    <message>
        <source>true-colour TGA of %1 bits a pixel</source>
        <translation>TGA en couleurs vraies de %1 bits par pixel</translation>
    </message>
    <message>
        <source>the TGA picture is empty</source>
        <translation>l&apos;image TGA est vide</translation>
    </message>
    <message>
        <source>the TGA file is cut short</source>
        <translation>le fichier TGA est tronqué</translation>
    </message>
    <message>
        <source>the TGA pixel data is cut short</source>
        <translation>les données de pixels TGA sont tronquées</translation>
    </message>
    <message>
        <source>a TGA pixel points outside the colour map</source>
        <translation>un pixel TGA pointe hors de la palette</translation>
    </message>
    <message>
        <source>%1 samples a pixel is more than this reader takes</source>
        <translation>%1 échantillons par pixel, c&apos;est plus que ce programme n&apos;en lit</translation>
    </message>
    <message>
        <source>%1 bits a sample</source>
        <translation>%1 bits par échantillon</translation>
    </message>
    <message>
        <source>its tiles of %1 x %2 pixels are larger than its picture</source>
        <translation>ses tuiles de %1 x %2 pixels sont plus grandes que l&apos;image</translation>
    </message>
    <message>
        <source>not a readable TIFF file</source>
        <translation>pas un fichier TIFF lisible</translation>
    </message>
    <message>
        <source>the TIFF&apos;s pixel data cannot be read</source>
        <translation>les données de pixels du TIFF sont illisibles</translation>
    </message>
    <message>
        <source>Copies…</source>
        <translation>Tirages…</translation>
    </message>
    <message>
        <source>Open in viewer</source>
        <translation>Ouvrir dans la visionneuse</translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Left margin…</source>
        <translation>Marge gauche…</translation>
    </message>
    <message>
        <source>Top margin…</source>
        <translation>Marge haute…</translation>
    </message>
    <message>
        <source>Gutter width…</source>
        <translation>Largeur de l&apos;espacement…</translation>
    </message>
    <message>
        <source>Gutter height…</source>
        <translation>Hauteur de l&apos;espacement…</translation>
    </message>
    <message>
        <source>Show Crop Image option</source>
        <translation>Afficher l&apos;option « Recadrer l&apos;image »</translation>
    </message>
    <message>
        <source>click</source>
        <translation>clic</translation>
    </message>
    <message>
        <source>%1st</source>
        <comment>the first</comment>
        <translation>%1er</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1e</translation>
    </message>
    <message>
        <source>1 copy</source>
        <translation>1 tirage</translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n tirage</numerusform>
            <numerusform>%n tirages</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2 on the sheet</source>
        <translation>%1, %2 sur la planche</translation>
    </message>
    <message>
        <source>1 picture selected</source>
        <translation>1 photo sélectionnée</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures selected</source>
        <translation>
            <numerusform>%n photo sélectionnée</numerusform>
            <numerusform>%n photos sélectionnées</numerusform>
        </translation>
    </message>
    <message>
        <source>Job Completed</source>
        <translation>Travail terminé</translation>
    </message>
    <message>
        <source>Printer calibration: %1, %2</source>
        <translation>Étalonnage de l&apos;imprimante : %1, %2</translation>
    </message>
    <message>
        <source>ACROSS: measure this scale from 0 to 200</source>
        <translation>LARGEUR : mesurez cette échelle de 0 à 200</translation>
    </message>
    <message>
        <source>DOWN: measure this scale from 0 to 200</source>
        <translation>HAUTEUR : mesurez cette échelle de 0 à 200</translation>
    </message>
    <message>
        <source>35 x 45 mm</source>
        <translation>35 x 45 mm</translation>
    </message>
    <message>
        <source>2 x 2 inches</source>
        <translation>2 x 2 pouces</translation>
    </message>
    <message>
        <source>1. Measure both scales with a ruler, from 0 to 200, to a tenth of a millimetre.
2. Type the two lengths in Printer calibration (or: quorvel --calibrate PRINTER ACROSS DOWN). Sheets printed on this printer are then scaled to true size.</source>
        <translation>1. Mesurez les deux échelles à la règle, de 0 à 200, au dixième de millimètre près.
2. Saisissez les deux longueurs dans Étalonnage de l&apos;imprimante (ou : quorvel --calibrate PRINTER ACROSS DOWN). Les planches imprimées sur cette imprimante sont alors ramenées à leur taille réelle.</translation>
    </message>
    <message>
        <source>Printer calibration</source>
        <translation>Étalonnage de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Printer calibration…</source>
        <translation>Étalonnage de l&apos;imprimante…</translation>
    </message>
    <message>
        <source>No correction: sheets print at their own size.</source>
        <translation>Aucune correction : les planches s&apos;impriment à leur propre taille.</translation>
    </message>
    <message>
        <source>Sheets on this printer are printed at %1 % across and %2 % down.</source>
        <translation>Les planches sont imprimées sur cette imprimante à %1 % en largeur et %2 % en hauteur.</translation>
    </message>
    <message>
        <source>Print calibration sheet</source>
        <translation>Imprimer la planche d&apos;étalonnage</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Imprimante :</translation>
    </message>
    <message>
        <source>Across, as measured (mm):</source>
        <translation>Largeur mesurée (mm) :</translation>
    </message>
    <message>
        <source>Down, as measured (mm):</source>
        <translation>Hauteur mesurée (mm) :</translation>
    </message>
    <message>
        <source>Print the calibration sheet, measure its two 200 mm scales and type what they measured.</source>
        <translation>Imprimez la planche d&apos;étalonnage, mesurez ses deux échelles de 200 mm et saisissez leurs longueurs.</translation>
    </message>
    <message>
        <source>Type each length in millimetres, from 190 to 210.</source>
        <translation>Saisissez chaque longueur en millimètres, de 190 à 210.</translation>
    </message>
    <message>
        <source>The calibration sheet was not printed: the printer could not take the job.</source>
        <translation>La planche d&apos;étalonnage n&apos;a pas été imprimée : l&apos;imprimante n&apos;a pas accepté le travail.</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Étalonnage</translation>
    </message>
    <message numerus="yes">
        <source>[%n] - File(s)</source>
        <translation>
            <numerusform>[%n] - photo sélectionnée</numerusform>
            <numerusform>[%n] - photos sélectionnées</numerusform>
        </translation>
    </message>
    <message>
        <source>it changed while it was being read</source>
        <translation>il a changé pendant sa lecture</translation>
    </message>
    <message>
        <source>%1: across %2 mm, down %3 mm (printed at %4 % across, %5 % down)</source>
        <translation>%1 : en largeur %2 mm, en hauteur %3 mm (imprimé à %4 % en largeur, %5 % en hauteur)</translation>
    </message>
    <message>
        <source>--calibrate needs the printer&apos;s name</source>
        <translation>--calibrate a besoin du nom de l&apos;imprimante</translation>
    </message>
    <message>
        <source>%1 has no correction to remove</source>
        <translation>%1 n&apos;a aucune correction à retirer</translation>
    </message>
    <message>
        <source>%1: correction removed; sheets print at their own size</source>
        <translation>%1 : correction retirée ; les planches s&apos;impriment à leur propre taille</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, nor any other; nothing was stored</source>
        <translation>le système d&apos;impression ne connaît aucune imprimante nommée %1, ni aucune autre ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>the printing system knows no printer named %1, only %2; nothing was stored</source>
        <translation>le système d&apos;impression ne connaît aucune imprimante nommée %1, seulement %2 ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>give the two scales&apos; lengths as measured, ACROSS DOWN, in millimetres from 190 to 210 (for instance 197.2 201.6); nothing was stored</source>
        <translation>indiquez les longueurs mesurées des deux échelles, LARGEUR HAUTEUR, en millimètres de 190 à 210 (par exemple 197,2 201,6) ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>the settings could not be written; nothing was stored</source>
        <translation>les réglages n&apos;ont pas pu être écrits ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>No printer has a correction: every sheet prints at its own size.</source>
        <translation>Aucune imprimante n&apos;a de correction : chaque planche s&apos;imprime à sa propre taille.</translation>
    </message>
    <message>
        <source>there is no default printer</source>
        <translation>il n&apos;y a pas d&apos;imprimante par défaut</translation>
    </message>
    <message>
        <source>no printer is named %1</source>
        <translation>aucune imprimante ne s&apos;appelle %1</translation>
    </message>
    <message>
        <source>%1 could not take the job</source>
        <translation>%1 n&apos;a pas pu accepter le travail</translation>
    </message>
    <message>
        <source>The paper the sheet is laid out for and printed on</source>
        <translation>Le papier pour lequel la planche est composée et sur lequel elle est imprimée</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Copies that do not fit continue in further columns, then on further sheets (02.jpg, 03.jpg, ...)</source>
        <translation>Les tirages qui ne tiennent pas continuent dans d&apos;autres colonnes, puis sur d&apos;autres planches (02.jpg, 03.jpg, …)</translation>
    </message>
    <message>
        <source>More sheets</source>
        <translation>Planches suivantes</translation>
    </message>
    <message>
        <source>Custom paper size</source>
        <translation>Format de papier personnalisé</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>pouces</translation>
    </message>
    <message>
        <source>millimetres</source>
        <translation>millimètres</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Length (a roll&apos;s up to 100 inches):</source>
        <translation>Longueur (un rouleau jusqu&apos;à 100 pouces) :</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Unité :</translation>
    </message>
    <message>
        <source>Custom size…</source>
        <translation>Format personnalisé…</translation>
    </message>
    <message>
        <source>1 sheet was written: 01.jpg.</source>
        <translation>1 planche a été écrite : 01.jpg.</translation>
    </message>
    <message numerus="yes">
        <source>%n sheets were written: 01.jpg to %1.</source>
        <translation>
            <numerusform>%n planche a été écrite : 01.jpg à %1.</numerusform>
            <numerusform>%n planches ont été écrites : 01.jpg à %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>With “More sheets” they continue on further sheets.</source>
        <translation>Avec « Planches suivantes », ils continuent sur d&apos;autres planches.</translation>
    </message>
    <message>
        <source>not enough memory to write it</source>
        <translation>pas assez de mémoire pour l&apos;écrire</translation>
    </message>
    <message>
        <source>The sheet %1 was not printed: %2.</source>
        <translation>La planche %1 n&apos;a pas été imprimée : %2.</translation>
    </message>
    <message>
        <source>the printer could not take the job</source>
        <translation>l&apos;imprimante n&apos;a pas accepté le travail</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The printer %1 has no paper %2 (%3 x %4 mm) and takes no size of your own of it. Its papers: %5.
Nothing was printed: choose another printer, or another paper and Go again.</source>
        <translation>L&apos;imprimante %1 n&apos;a pas de papier %2 (%3 x %4 mm) et n&apos;accepte pas ce format comme format personnalisé. Ses papiers : %5.
Rien n&apos;a été imprimé : choisissez une autre imprimante, ou un autre papier et refaites Go.</translation>
    </message>
    <message>
        <source>Proof for %1…</source>
        <translation>Épreuve écran pour %1…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Choose the printer profile</source>
        <translation>Choisir le profil de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Remove profile</source>
        <translation>Retirer le profil</translation>
    </message>
    <message>
        <source>Perceptual</source>
        <translation>Perceptif</translation>
    </message>
    <message>
        <source>Relative colorimetric</source>
        <translation>Colorimétrie relative</translation>
    </message>
    <message>
        <source>Black point compensation</source>
        <translation>Compensation du point noir</translation>
    </message>
    <message>
        <source>Printer profile:</source>
        <translation>Profil de l&apos;imprimante :</translation>
    </message>
    <message>
        <source>Rendering intent:</source>
        <translation>Mode de rendu :</translation>
    </message>
    <message>
        <source>The printer profile cannot be used: %1. Nothing is printed on this printer until it is chosen again or removed.</source>
        <translation>Le profil de l&apos;imprimante est inutilisable : %1. Rien n&apos;est imprimé sur cette imprimante tant qu&apos;il n&apos;est pas choisi à nouveau ou retiré.</translation>
    </message>
    <message>
        <source>Printer profile</source>
        <translation>Profil de l&apos;imprimante</translation>
    </message>
    <message>
        <source>ICC profiles (*.icc *.icm *.ICC *.ICM);;All files (*)</source>
        <translation>Profils ICC (*.icc *.icm *.ICC *.ICM);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Profile Refused</source>
        <translation>Profil refusé</translation>
    </message>
    <message>
        <source>%1.
Nothing was stored.</source>
        <translation>%1.
Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>a scanner or camera</source>
        <translation>d&apos;un scanner ou d&apos;un appareil photo</translation>
    </message>
    <message>
        <source>a screen</source>
        <translation>d&apos;un écran</translation>
    </message>
    <message>
        <source>a device link</source>
        <translation>d&apos;un lien de périphériques</translation>
    </message>
    <message>
        <source>a colour space</source>
        <translation>d&apos;un espace colorimétrique</translation>
    </message>
    <message>
        <source>%1 is larger than any printer profile</source>
        <translation>%1 est plus grand que tout profil d&apos;imprimante</translation>
    </message>
    <message>
        <source>%1 is no ICC profile</source>
        <translation>%1 n&apos;est pas un profil ICC</translation>
    </message>
    <message>
        <source>%1 is the profile of %2, not of a printer</source>
        <translation>%1 est le profil %2, pas d&apos;une imprimante</translation>
    </message>
    <message>
        <source>%1 is a CMYK profile: Qt 6.4, which draws the print job, hands printers RGB only; choose the printer&apos;s RGB profile</source>
        <translation>%1 est un profil CMJN : Qt 6.4, qui dessine le travail d&apos;impression, ne remet que du RVB aux imprimantes ; choisissez le profil RVB de l&apos;imprimante</translation>
    </message>
    <message>
        <source>%1 is a profile of %2 colours, not of RGB</source>
        <translation>%1 est un profil de couleurs %2, pas RVB</translation>
    </message>
    <message>
        <source>LittleCMS cannot convert colours with %1</source>
        <translation>LittleCMS ne peut pas convertir les couleurs avec %1</translation>
    </message>
    <message>
        <source>%1, black point compensation %2</source>
        <translation>%1, compensation du point noir %2</translation>
    </message>
    <message>
        <source>perceptual</source>
        <translation>perceptif</translation>
    </message>
    <message>
        <source>relative colorimetric</source>
        <translation>colorimétrie relative</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activée</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivée</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.
Nothing was printed: choose its profile again in Printer calibration, or remove it.</source>
        <translation>Le profil de l&apos;imprimante %1 est inutilisable : %2.
Rien n&apos;a été imprimé : choisissez à nouveau son profil dans Étalonnage de l&apos;imprimante, ou retirez-le.</translation>
    </message>
    <message>
        <source>No printer profile: colours go to the printer as sRGB.</source>
        <translation>Aucun profil d&apos;imprimante : les couleurs partent vers l&apos;imprimante en sRVB.</translation>
    </message>
    <message>
        <source>Colours are converted to the printer profile %1 (%2).</source>
        <translation>Les couleurs sont converties vers le profil d&apos;imprimante %1 (%2).</translation>
    </message>
    <message>
        <source>%1: profile %2, %3</source>
        <translation>%1 : profil %2, %3</translation>
    </message>
    <message>
        <source>%1 has no profile to remove</source>
        <translation>%1 n&apos;a pas de profil à retirer</translation>
    </message>
    <message>
        <source>%1: profile removed; colours go to the printer as sRGB</source>
        <translation>%1 : profil retiré ; les couleurs partent vers l&apos;imprimante en sRVB</translation>
    </message>
    <message>
        <source>give the printer&apos;s name and its profile&apos;s file, and as intent perceptual or relative; nothing was stored</source>
        <translation>indiquez le nom de l&apos;imprimante et le fichier de son profil, et comme mode de rendu perceptual ou relative ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>%1; nothing was stored</source>
        <translation>%1 ; rien n&apos;a été enregistré</translation>
    </message>
    <message>
        <source>No Proof</source>
        <translation>Pas d&apos;épreuve</translation>
    </message>
    <message>
        <source>The printer profile of %1 cannot be used: %2.</source>
        <translation>Le profil de l&apos;imprimante %1 est inutilisable : %2.</translation>
    </message>
    <message>
        <source>%1 has no printer profile.</source>
        <translation>%1 n&apos;a pas de profil d&apos;imprimante.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be read: %2</source>
        <translation>La planche %1 est illisible : %2</translation>
    </message>
    <message>
        <source>LittleCMS cannot proof with the profile of %1.</source>
        <translation>LittleCMS ne peut pas faire d&apos;épreuve avec le profil de %1.</translation>
    </message>
    <message>
        <source>Proof for %1</source>
        <translation>Épreuve écran pour %1</translation>
    </message>
    <message>
        <source>Proof of %1 for %2</source>
        <translation>Épreuve de %1 pour %2</translation>
    </message>
    <message>
        <source>Mark colours the printer cannot print (in magenta)</source>
        <translation>Marquer les couleurs que l&apos;imprimante ne peut pas imprimer (en magenta)</translation>
    </message>
    <message>
        <source>%1 % of the sheet lies outside what the printer can print.</source>
        <translation>%1 % de la planche sort de ce que l&apos;imprimante peut imprimer.</translation>
    </message>
</context>
</TS>
