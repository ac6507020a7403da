#!/usr/bin/python3
"""Writes studio picture files with the tools Debian ships, and beside each the picture an
independent decoder (ImageMagick, Pillow with LittleCMS) makes of it, as PNG.

    make_studio_files.py FOLDER

FOLDER must hold reference.png (the picture every file shows), p3.icc and the profiles the
test makes with LittleCMS (table-rgb.icc, matrix-and-table.icc, linear-named-srgb.icc,
grey-gamma-1.8.icc). Writes
manifest.tsv: one line per file with its name, the expected PNG and the tolerance."""
import io
import struct
import subprocess
import sys
from pathlib import Path

from PIL import Image, ImageCms, ImageOps

folder = Path(sys.argv[1])
reference = folder / "reference.png"
colord = Path("/usr/share/color/icc/colord")
cmyk_profile = Path("/usr/share/color/icc/ghostscript/default_cmyk.icc")
srgb = ImageCms.createProfile("sRGB")
RELATIVE = 1  # LittleCMS's relative colorimetric intent
manifest = []


def run(*command):
    subprocess.run([str(part) for part in command], check=True, cwd=folder,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def add(name, expected, tolerance):
    manifest.append(f"{name}\t{expected}\t{tolerance}")


def decoded_by_imagemagick(name, orient=False):
    expected = f"{name}.expected.png"
    run("convert", name, *(["-auto-orient"] if orient else []), "-depth", "8",
        "-type", "TrueColor", expected)
    return expected


def to_srgb(image, profile_bytes, expected):
    """The picture converted from its profile to sRGB by LittleCMS through Pillow, with the
    intent and black-point compensation the program uses."""
    source = ImageCms.ImageCmsProfile(io.BytesIO(profile_bytes))
    converted = ImageCms.profileToProfile(
        image, source, srgb, renderingIntent=RELATIVE,
        outputMode="RGB", flags=ImageCms.FLAGS["BLACKPOINTCOMPENSATION"])
    converted.save(folder / expected)
    return expected


# TIFF layouts, depths and compressions of the plain sRGB reference.
tiffs = {
    "rgb8-lzw.tif": ["-compress", "LZW"],
    "rgb8-deflate.tif": ["-compress", "Zip"],
    "rgb8-jpeg.tif": ["-compress", "JPEG", "-quality", "95"],
    "rgb16-contiguous.tif": ["-depth", "16"],
    "rgb16-planar.tif": ["-depth", "16", "-interlace", "plane"],
    "rgb16-predictor.tif": ["-depth", "16", "-compress", "LZW", "-define", "tiff:predictor=2"],
    "cmyk8.tif": ["-colorspace", "CMYK"],
    "cmyk16.tif": ["-depth", "16", "-colorspace", "CMYK"],
    "lab.tif": ["-colorspace", "Lab"],
    "rgba8-unassociated.tif": ["-alpha", "set", "-define", "tiff:alpha=unassociated"],
}
for name, options in tiffs.items():
    run("convert", "reference.png", *options, name)
    # JPEG's loss is the compression's and Lab's the 8-bit conversion's, not the reader's: those
    # are compared with ImageMagick's decoding.
    if "jpeg" in name or "lab" in name:
        add(name, decoded_by_imagemagick(name), 6 if "lab" in name else 3)
    else:
        add(name, "reference.png", 3)
for name, options in {"rgb16-tiled.tif": [], "rgb16-tiled-planar.tif": ["-interlace", "plane"]}.items():
    run("convert", "reference.png", "-depth", "16", "-define", "tiff:tile-geometry=16x16",
        *options, name)
    add(name, "reference.png", 3)
# TGA, which the program's own reader decodes (and shrinks, as TIFF, row by row).
run("convert", "reference.png", "-orient", "TopLeft", "reference.tga")
add("reference.tga", "reference.png", 0)
# Planar, one strip a plane (as some scanners write them): every plane read a row at a time.
for depth in ("8", "16"):
    run("convert", "reference.png", "-depth", depth, "-interlace", "plane", "-define",
        "tiff:rows-per-strip=64", "-compress", "Zip", f"rgb{depth}-planar-one-strip.tif")
    add(f"rgb{depth}-planar-one-strip.tif", "reference.png", 3)
run("convert", "reference.png", "-depth", "16", "-colorspace", "CMYK", "-define",
    "tiff:tile-geometry=32x16", "cmyk16-tiled.tif")
add("cmyk16-tiled.tif", "reference.png", 3)
# An extra channel after the inks (opaque alpha), and floating-point RGB.
run("convert", "reference.png", "-alpha", "set", "-colorspace", "CMYK", "cmyk8-extra.tif")
add("cmyk8-extra.tif", "reference.png", 3)
run("convert", "reference.png", "-depth", "32", "-define", "quantum:format=floating-point",
    "rgb-float.tif")
add("rgb-float.tif", "reference.png", 1)
# A fourth sample marked "unspecified", as panorama tools write their transparent surround: it
# is unassociated alpha. Pillow writes it unassociated (2); the tag is then set to 0 in place.
surround = Image.open(reference).convert("RGBA")
surround.putalpha(Image.linear_gradient("L").resize(surround.size))
surround.save(folder / "rgba-unspecified.expected.png")
surround.save(folder / "rgba-unspecified.tif")
tiff = bytearray((folder / "rgba-unspecified.tif").read_bytes())
order = "<" if tiff[:2] == b"II" else ">"
directory = struct.unpack(order + "I", tiff[4:8])[0]
for entry in range(struct.unpack(order + "H", tiff[directory:directory + 2])[0]):
    at = directory + 2 + 12 * entry
    tag, kind, count = struct.unpack(order + "HHI", tiff[at:at + 8])
    if tag == 338 and kind == 3 and count == 1:
        tiff[at + 8:at + 10] = struct.pack(order + "H", 0)
        break
else:
    sys.exit("rgba-unspecified.tif: no ExtraSamples tag to rewrite")
(folder / "rgba-unspecified.tif").write_bytes(tiff)
add("rgba-unspecified.tif", "rgba-unspecified.expected.png", 0)
# The same without any ExtraSamples tag, as the panorama files of the outside corpus are: the
# entry is taken out of the directory, the entries after it and the next directory's offset
# moved up in its place.
entries = struct.unpack(order + "H", tiff[directory:directory + 2])[0]
tiff[directory:directory + 2] = struct.pack(order + "H", entries - 1)
end = directory + 2 + 12 * entries + 4
tiff[at:end - 12] = tiff[at + 12:end]
(folder / "rgba-no-extrasamples.tif").write_bytes(tiff)
add("rgba-no-extrasamples.tif", "rgba-unspecified.expected.png", 0)

# CMYK through a profile, embedded by LittleCMS's own TIFF tool.
run("tificc", f"-o{cmyk_profile}", "-e", "-t1", "-b", "rgb8-lzw.tif", "cmyk8-profile.tif")
run("tificc", f"-o{cmyk_profile}", "-e", "-t1", "-b", "-w16", "rgb8-lzw.tif", "cmyk16-profile.tif")
cmyk = Image.open(folder / "cmyk8-profile.tif")
expected = to_srgb(cmyk, cmyk_profile.read_bytes(), "cmyk-profile.expected.png")
add("cmyk8-profile.tif", expected, 3)
add("cmyk16-profile.tif", expected, 4)
# The same inks as a JPEG with its CMYK profile, as editors write it for print (Adobe's
# marker, inverted samples).
cmyk.save(folder / "cmyk-profile.jpg", icc_profile=cmyk_profile.read_bytes(), quality=95)
add("cmyk-profile.jpg",
    to_srgb(Image.open(folder / "cmyk-profile.jpg"), cmyk_profile.read_bytes(),
            "cmyk-profile.jpg.expected.png"), 3)

# Bilevel, 12-bit and floating-point greyscale.
run("convert", "reference.png", "-colorspace", "Gray", "-threshold", "40%", "-monochrome",
    "-compress", "Group4", "bilevel-g4.tif")
add("bilevel-g4.tif", decoded_by_imagemagick("bilevel-g4.tif"), 1)
run("convert", "reference.png", "-colorspace", "Gray", "-depth", "12", "grey12.tif")
add("grey12.tif", decoded_by_imagemagick("grey12.tif"), 2)
grey = Image.open(reference).convert("L")
grey.point(lambda v: v / 255.0, "F").save(folder / "grey-float.tif")
grey.save(folder / "grey-float.expected.png")
add("grey-float.tif", "grey-float.expected.png", 1)

# Orientation tags: TIFF through ImageMagick, JPEG and PNG through Pillow.
orients = ["TopLeft", "TopRight", "BottomRight", "BottomLeft", "LeftTop", "RightTop",
           "RightBottom", "LeftBottom"]
for value, orient in enumerate(orients, start=1):
    name = f"orientation{value}.tif"
    run("convert", "reference.png", "-orient", orient, name)
    add(name, decoded_by_imagemagick(name, orient=True), 2)
    for suffix, options in (("jpg", {"quality": 95}), ("png", {})):
        name = f"orientation{value}.{suffix}"
        exif = Image.Exif()
        exif[0x0112] = value
        Image.open(reference).save(folder / name, exif=exif.tobytes(), **options)
        expected = f"{name}.expected.png"
        ImageOps.exif_transpose(Image.open(folder / name)).save(folder / expected)
        add(name, expected, 1)

# Embedded RGB profiles: the reference's colours written in another space.
spaces = {
    "adobe-rgb": (colord / "AdobeRGB1998.icc").read_bytes(),
    "prophoto": (colord / "ProPhotoRGB.icc").read_bytes(),
    "display-p3": (folder / "p3.icc").read_bytes(),
}
for space, profile in spaces.items():
    target = ImageCms.ImageCmsProfile(io.BytesIO(profile))
    image = ImageCms.profileToProfile(
        Image.open(reference).convert("RGB"), srgb, target,
        renderingIntent=RELATIVE, outputMode="RGB")
    for suffix, options in (("jpg", {"quality": 95}), ("png", {})):
        name = f"{space}.{suffix}"
        image.save(folder / name, icc_profile=profile, **options)
        expected = to_srgb(Image.open(folder / name), profile, f"{name}.expected.png")
        add(name, expected, 2)

# Profiles Qt cannot parse or that are easily misjudged: the reference's numbers tagged with
# them, converted by LittleCMS through Pillow.
for space in ("table-rgb", "matrix-and-table", "linear-named-srgb"):
    profile = (folder / f"{space}.icc").read_bytes()
    for suffix, options in (("jpg", {"quality": 95}), ("png", {})):
        name = f"{space}.{suffix}"
        Image.open(reference).convert("RGB").save(folder / name, icc_profile=profile, **options)
        add(name, to_srgb(Image.open(folder / name), profile, f"{name}.expected.png"), 2)
grey_profile = (folder / "grey-gamma-1.8.icc").read_bytes()
for name in ("grey-profile.png", "grey-profile.tif", "grey-profile.jpg"):
    Image.open(reference).convert("L").save(folder / name, icc_profile=grey_profile)
    add(name, to_srgb(Image.open(folder / name), grey_profile, f"{name}.expected.png"), 2)

# Profiles to be ignored: the picture reads exactly as without one (see also the JPEG and
# PNG files below, which the test compares with Qt's plain decoding).
plain = Image.open(reference).convert("RGB")
srgb_bytes = (colord / "sRGB.icc").read_bytes()
ignored = {
    "broken-profile": b"not a profile at all " * 20,
    # A colour space no profile has (LittleCMS's enumeration has no such value).
    "odd-space-profile": srgb_bytes[:16] + b"\xfc\x47\x00\x20" + srgb_bytes[20:],
    "cmyk-profile-on-rgb": cmyk_profile.read_bytes(),
    "srgb-profile": (colord / "sRGB.icc").read_bytes(),
    # The grey pictures' profile on colour pixels, read after them in the same process: its
    # conversion of grey pixels must not be taken for these.
    "grey-profile-on-rgb": grey_profile,
}
for kind, profile in ignored.items():
    plain.save(folder / f"{kind}.tif", icc_profile=profile)
    add(f"{kind}.tif", "reference.png", 0)
    plain.save(folder / f"{kind}.jpg", icc_profile=profile, quality=90)
plain.save(folder / "no-profile.jpg", quality=90)

(folder / "manifest.tsv").write_text("\n".join(manifest) + "\n")
