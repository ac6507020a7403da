#pragma once

#include <QImage>
#include <QString>
#include <memory>

// A printer's own colours. Studios buy or make an ICC profile for each printer and paper; the
// program converts every sheet printed on that printer from sRGB to the profile's RGB itself,
// once, and asks the printing system not to convert again (a second conversion is the fault
// colour-managed printing is best known for).

enum class RenderingIntent { Perceptual, Relative };

struct PrinterProfile
{
    QString path; // of the ICC file
    RenderingIntent intent = RenderingIntent::Perceptual;
    bool blackPoint = true; // black point compensation
};

// What a proof shows where the printer cannot print a colour.
inline constexpr QRgb GamutWarning = 0xffff00ff; // magenta

// The conversion of a printer's profile, opened once for a job.
class PrinterColour
{
public:
    // The profile's conversion, or null with *whyNot (in the operator's language) when it cannot
    // be a printer's: a file that cannot be read, no ICC profile, a profile of another class than
    // output (printer), or of other colours than RGB.
    static std::shared_ptr<const PrinterColour> open(const PrinterProfile &profile,
                                                     QString *whyNot);
    ~PrinterColour();

    // Converts rows of a sheet from sRGB to the printer's RGB, in place (made RGB888 first where
    // they are not), on both cores.
    void convert(QImage &rows) const;

    // The sheet as the printer will render it, shown on an sRGB screen; with `markGamut`,
    // colours outside what it can print in GamutWarning instead. Null when LittleCMS cannot
    // proof with the profile.
    QImage proof(const QImage &sheet, bool markGamut) const;

    struct Handles;

private:
    explicit PrinterColour(std::unique_ptr<Handles> handles, const PrinterProfile &profile);
    std::unique_ptr<Handles> handles;
    PrinterProfile profile;
};

// The share of a sheet's proof (`proof`, and `marked` with its colours outside the gamut
// marked) that the printer cannot print, from 0 to 1.
double outOfGamutShare(const QImage &proof, const QImage &marked);
