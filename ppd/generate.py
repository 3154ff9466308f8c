#!/usr/bin/env python3
"""Writes the family's PPD files (ppd/*.ppd) from the model tables below.

The PPDs are committed; run this after changing a table:  python3 ppd/generate.py
(python3 ppd/generate.py FOLDER writes them into FOLDER instead; a test compares.)
Every option a model offers is declared once here, with its choices in the order
the print dialogs rely on (brightness from brightest to darkest, densities from
+3 to -3).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# name, width and length in points
PAGE_SIZES = [
    ("A4", "A4", 595, 842), ("A3", "A3", 842, 1191), ("A5", "A5", 420, 595),
    ("B4", "JIS B4", 729, 1032), ("B5", "JIS B5", 516, 729), ("Letter", "Letter", 612, 792),
    ("Legal", "Legal", 612, 1008), ("Executive", "Executive", 522, 756), ("Tabloid", "Tabloid", 792, 1224),
    ("SRA3", "SRA3", 907, 1276), ("8x10", "8x10", 576, 720), ("9x11", "9x11", 648, 792),
]
MARGIN = 12

# An option: keyword, translation, UI type, default, [(choice, text)], code per choice
# (None gives a comment as code: the printer learns these settings from the PJL header).
def opt(keyword, text, choices, default=None, ui="PickOne", order=50, code=None):
    pairs = [c if isinstance(c, tuple) else (c, c) for c in choices]
    return {"keyword": keyword, "text": text, "ui": ui, "order": order,
            "default": default if default is not None else pairs[0][0], "choices": pairs,
            "code": code or {}}

def boolean(keyword, text, default="False", order=50):
    # False first: a constraint that names the option alone spares the choice at index 0.
    return opt(keyword, text, [("False", "Off"), ("True", "On")], default, ui="Boolean", order=order)

BRIGHTNESS = [("Bright%d" % n, "Brighter +%d" % n) for n in range(5, 0, -1)] + [("Normal", "Normal")] + \
             [("Dark%d" % n, "Darker -%d" % n) for n in range(1, 6)]
DENSITY = [("+3", "+3"), ("+2", "+2"), ("+1", "+1"), ("0", "0"), ("-1", "-1"), ("-2", "-2"), ("-3", "-3")]
COLOURS = ["Black", "Cyan", "Magenta", "Yellow"]
LEVELS = ["Low", "Mid", "High"]
GAMMA = ["Off", "Lightest", "Light", "Standard", "Dark", "Darkest"]
IMAGE_TYPES = [("Standard", "Standard"), ("Photo", "Photo"), ("Presentation", "Presentation"),
               ("sRGB", "sRGB"), ("POP", "Point of purchase"), ("Off", "Off")]
RGB_CORRECTIONS = [("None", "None"), ("Perceptual", "Perceptual"), ("Saturation", "Saturation"),
                   ("RelativeC", "Relative colorimetric"), ("AbsoluteC", "Absolute colorimetric")]
SCREENS = [("Auto", "Auto"), ("Screen1", "Screen 1"), ("Screen2", "Screen 2"), ("Screen3", "Screen 3")]
PROFILES = [("SRGB", "sRGB"), ("AdobeRGB", "Adobe RGB")]
ADJUST = [(v, v) for v in ("-3", "-2", "-1", "0", "1", "2", "3")]

def colour_mode(colour):
    if colour:
        return opt("OVColorMode", "Color Mode", [("Color", "Color"), ("Black", "Black and White")], "Color",
                   order=10)
    return opt("OVColorMode", "Color Mode", [("Black", "Black and White")], "Black", order=10)

def densities():
    return [opt("OVColorDensity%s%s" % (c, l), "%s Density %s" % (c, l), DENSITY, "0")
            for c in COLOURS for l in LEVELS]

# Image options: the keyword set decides the dialog's product type (1, 2, 4 or 5).
def image_options(kind, colour=True, output_modes=None):
    opts = [colour_mode(colour),
            opt("OVOutputMode", "Output Mode", output_modes or [("Standard", "Standard"), ("HighSpeed", "High Speed")],
                "Standard"),
            opt("OVBrightness", "Brightness", BRIGHTNESS, "Normal"),
            opt("OVRGBImageType", "Image Type", IMAGE_TYPES, "Standard"),
            opt("OVEngineScreen", "Screen", SCREENS, "Auto"),
            opt("OVRGBGammaCorrection", "RGB Gamma Correction", GAMMA, "Standard"),
            boolean("OVColorBalanceAdjustment", "Adjust Color Balance")]
    if kind >= 2:
        opts += [opt("OVRGBCorrection", "RGB Color Correction", RGB_CORRECTIONS, "None"),
                 opt("OVRGBInputProfile", "RGB Input Profile", PROFILES, "SRGB"),
                 opt("OVColorTemperature", "Color Temperature",
                     [("6500K", "6500 K"), ("5000K", "5000 K"), ("9300K", "9300 K")], "6500K")]
    if kind >= 4:
        opts.append(opt("OVCMYKCorrectionSTD", "CMYK Color Correction",
                        [("None", "None"), ("Japan", "Japan Color"), ("SWOP", "SWOP"), ("Euroscale", "Euroscale")],
                        "None"))
    if kind >= 5:
        opts.append(opt("OVCMYKCorrectionTarget", "Target Paper",
                        [("Plain", "Plain paper"), ("Coated", "Coated paper")], "Plain"))
    return opts + densities()

def finishing():
    return [
        opt("OVStaple", "Staple", [("None", "Off"), ("Left", "Left"), ("Right", "Right"), ("Dual", "Dual"),
                                   ("SaddleStaple", "Saddle staple")]),
        opt("OVPunch", "Punch", [("None", "Off"), ("Left", "Left"), ("Right", "Right"), ("Top", "Top")]),
        opt("OVNumPunchHoles", "Punch Holes", [("2Holes", "2 holes"), ("3Holes", "3 holes"), ("4Holes", "4 holes"),
                                               ("Coil", "Coil")]),
        opt("OVSignature", "Booklet", [("None", "Off"), ("BookletLeft", "Left binding"),
                                       ("BookletRight", "Right binding")]),
        opt("OVSigVol", "Booklet Sheets per Set", [("None", "All sheets"), ("5Sheet", "5 sheets"),
                                                  ("10Sheet", "10 sheets"), ("20Sheet", "20 sheets")]),
    ]

def perfect_binding():
    sizes = [("A4", "A4"), ("A5", "A5"), ("B5", "JIS B5"), ("Letter", "Letter")]
    trims = [("7mm", "7 mm"), ("10mm", "10 mm"), ("15mm", "15 mm"), ("20mm", "20 mm")]
    opts = [
        opt("OVPBindPosition", "Perfect Binding", [("None", "Off"), ("BindLeft", "Left"), ("BindRight", "Right"),
                                                   ("BindTop", "Top")]),
        opt("OVPBindTrimming", "Trimming", [("None", "Off"), ("1EdgeCut", "Fore edge"),
                                            ("1EdgeCutMinimum", "Fore edge, minimum"),
                                            ("1EdgeSpecifySize", "Fore edge to size"), ("3EdgeCut", "Three edges"),
                                            ("3EdgeCutMinimum", "Three edges, minimum"),
                                            ("3EdgeSpecifySize", "Three edges to size")]),
        opt("OVPBindPageSize", "Book Size", sizes),
        opt("OVPBindCutPageSize", "Trimmed Size", [("A5", "A5"), ("B5", "JIS B5"), ("A4", "A4"),
                                                   ("Executive", "Executive")]),
        opt("OVPBindCutPositionTop", "Top and Bottom Trim", trims),
        opt("OVPBindCutPositionFore", "Fore Edge Trim", trims),
        opt("OVPBindCoverPageSize", "Cover Size", [("A3", "A3"), ("Tabloid", "Tabloid"), ("SRA3", "SRA3"),
                                                   ("DL", "DL"), ("OV13x19", "13x19")]),
        opt("OVPBindCoverMediaType", "Cover Media Type", [("Default", "Printer default"), ("Stationary", "Plain"),
                                                          ("ThickPaper", "Thick"), ("ThickPaper2", "Extra thick"),
                                                          ("CoatingPaper1", "Coated")]),
        opt("OVPBindCoverMediaColor", "Cover Color", [("Any", "Any"), ("White", "White"), ("Blue", "Blue"),
                                                      ("Yellow", "Yellow"), ("Ivory", "Ivory")]),
        opt("OVPBindCoverPaperTray", "Cover Tray", [("AutoTray", "Auto"), ("1stTray", "Tray 1"),
                                                    ("2ndTray", "Tray 2"), ("MSI", "Bypass tray"),
                                                    ("PBindInserter", "Cover inserter")]),
    ]
    for keyword, text in [("OVPBindRotationAdjustTop", "Rotation Adjustment Top"),
                          ("OVPBindRotationAdjustBot", "Rotation Adjustment Bottom"),
                          ("OVPBindRotationAdjustFore", "Rotation Adjustment Fore Edge"),
                          ("OVPBindCutPageAdjustmentTB", "Trimmed Height Adjustment"),
                          ("OVPBindCutPageAdjustmentFore", "Trimmed Width Adjustment"),
                          ("OVPBindCutPositionAdjustmentTB", "Trim Position Adjustment"),
                          ("OVPBindCoverAdjustX", "Cover Adjustment X"),
                          ("OVPBindCoverAdjustY", "Cover Adjustment Y")]:
        opts.append(opt(keyword, text, ADJUST, "0"))
    return opts

def print_settings():
    registration = [(v, v) for v in ("-1.0", "-0.5", "-0.25", "0.0", "0.25", "0.5", "1.0", "1.5")]
    return [
        opt("OVBannerSheet", "Banner Sheet", [("None", "Off"), ("UserPrinterSetting", "Printer setting"),
                                              ("PrintStartPage", "Start page")]),
        opt("OVLineWeightAdjustment", "Line Weight", [("Normal", "Normal"), ("Weakly1", "Thinner 1"),
                                                      ("Weakly2", "Thinner 2"), ("Strongly1", "Thicker 1"),
                                                      ("Strongly2", "Thicker 2")], "Normal"),
        opt("OVSRRLAdjustRegiHorizontal", "Horizontal Registration (mm)", registration, "0.0"),
        opt("OVSRRLAdjustRegiVertical", "Vertical Registration (mm)", registration, "0.0"),
    ]

# PJL-mapped device options read from the document's feature sections on the buffered pass.
def engine_colour():
    return [
        opt("KQColorMode", "Engine Color Mode", [("Color", "Color"), ("Black", "Black and White")], "Color"),
        opt("KQRGBImageType", "Engine Image Type", IMAGE_TYPES, "Standard"),
        opt("KQRGBInputProfile", "Engine RGB Input Profile", PROFILES, "SRGB"),
        opt("KQRGBCorrection", "Engine RGB Correction", RGB_CORRECTIONS, "None"),
        opt("KQEngineScreen", "Engine Screen", SCREENS, "Auto"),
        boolean("OVFrameMode", "Raster Frame Mode"),
        boolean("OVSetTrapMode", "Trapping"),
        boolean("OVGrayBalance", "Gray Balance for Text and Graphics"),
        opt("OVBrightnes", "Engine Brightness", BRIGHTNESS, "Normal"),
        opt("OVRGBBCorrection", "Engine RGB Gamma", GAMMA, "Standard"),
        opt("OVLetterHeadDuplexMode", "Letterhead Duplex Mode", [("DupAuto", "Auto"), ("DupOff", "Off"),
                                                                  ("DupOn", "On")], "DupAuto"),
        boolean("OVMonochromePriority", "Monochrome Priority"),
        boolean("OVSaveBlankSheet", "Skip Blank Pages"),
    ]

def engine_mono():
    return [
        boolean("OVFrameMode", "Raster Frame Mode"),
        opt("OVHalftone", "Halftone", [("Fineness", "Fineness"), ("Gradation", "Gradation")], "Fineness"),
        opt("OVTonerSaver", "Toner Saver", [("False", "Off"), ("True", "On"), ("Mode1", "Mode 1"),
                                            ("Mode2", "Mode 2"), ("Mode3", "Mode 3")], "False"),
        boolean("Smoothing", "Smoothing", "True"),
        boolean("OVSaveBlankSheet", "Skip Blank Pages"),
    ]

def storage(kind):
    if kind == "pickone":
        return [opt("OVHardDisk", "Storage Device", [("None", "Not installed"), ("HardDisk", "Hard disk"),
                                                     ("RAMDisk", "RAM disk")], "HardDisk")]
    return [boolean("OVHardDisk", "Hard Disk", "False"), boolean("OVRAMDisk", "RAM Disk", "True")]

def passcode_limit():
    return [opt("OVPTPasswdLimit", "Minimum Passcode Length", [("Min4", "4 digits"), ("Min6", "6 digits"),
                                                                ("Min8", "8 digits")], "Min4")]

def select_id():
    return [opt("OVSelectID", "Job Accounting Prompt", [("UserID_AccountID", "User ID and account ID"),
                                                        ("UserID", "User ID"), ("AccountID", "Account ID"),
                                                        ("None", "None")], "UserID")]

IMAGE_CONSTRAINTS = [
    ("*OVColorMode Black", "*OVColorBalanceAdjustment True"),
    ("*OVColorBalanceAdjustment True", "*OVColorMode Black"),
    ("*OVOutputMode HighSpeed", "*OVRGBImageType Photo"),
    ("*OVRGBImageType Photo", "*OVOutputMode HighSpeed"),
]

MODELS = [
    {
        "stem": "OVQC300", "name": "QC300", "colour": True,
        "comment": "colour model, direct pass",
        "attributes": [
            ("OVPSDecompMode", '"0"'),
            ("OVXEnableAccounting", '"True"'), ("OVXAccountingSettings", '"Default00-QC300"'),
            ("OVXEnablePrintType", '"True"'), ("OVXPrintTypeSettings", '"Default00-QC300"'),
            ("OVXImageOptionsSettings", '"Default01-QC300"'),
            ("OVXMailBoxSettings", '"100-Standard"'),
        ],
        "groups": [
            ("InstallableOptions", "Installable Options", storage("pickone") + passcode_limit()),
            ("OVImageOptions", "Image Options",
             image_options(5) + [boolean("OVBlackOverprint", "Black Overprint")]),
            ("OVPrintSettings", "Printer Settings", print_settings()),
        ],
        "constraints": IMAGE_CONSTRAINTS + [
            ("*OVColorMode Black", "*OVBlackOverprint"),
            ("*OVBlackOverprint", "*OVColorMode Black"),
        ],
    },
    {
        "stem": "OVQC500", "name": "QC500", "colour": True,
        "comment": "colour model, buffered pass with in-stream PJL",
        "attributes": [
            ("OVPSDecompMode", '"1"'), ("KQPrinterLanguageEncoding", '"JIS83-RKSJ"'),
            ("KQLocalizableFileIndex", '"JP"'),
            ("OVXEnableAccounting", '"True"'), ("OVXAccountingSettings", '"Default02-QC500"'),
            ("OVXEnablePrintType", '"True"'), ("OVXPrintTypeSettings", '"Default02-QC500"'),
            ("OVXImageOptionsSettings", '"Default02-QC500"'),
            ("OVPTSecurePrintDefault", '"True"'),
        ],
        "groups": [
            ("InstallableOptions", "Installable Options", storage("pickone")),
            ("OVImageOptions", "Image Options",
             image_options(4, output_modes=[("Standard", "Standard"), ("HighSpeed", "High Speed"),
                                            ("1200x1200", "1200 dpi")])
             + [boolean("OVInvalidateColorProfile", "Invalidate Color Profile")]),
            ("OVEngine", "Engine", engine_colour()),
        ],
        "constraints": IMAGE_CONSTRAINTS + [
            ("*OVInvalidateColorProfile", "*OVColorBalanceAdjustment"),
            ("*OVColorBalanceAdjustment", "*OVInvalidateColorProfile"),
        ],
    },
    {
        "stem": "OVQU700", "name": "QU700", "colour": True,
        "comment": "colour model with UTF-8 job texts, booklet, finishing and perfect binding",
        "attributes": [
            ("KQPrinterLanguageEncoding", '"UTF-8"'), ("CommentOn", '"True"'),
            ("OVXEnableAccounting", '"True"'), ("OVXAccountingSettings", '"Printer00-QU700"'),
            ("OVXEnablePrintType", '"True"'), ("OVXPrintTypeSettings", '"Default03-QU700"'),
            ("OVXImageOptionsSettings", '"Default03-QU700"'),
            ("OVXMailBoxSettings", '"250-HighSpeed"'),
        ],
        "groups": [
            ("InstallableOptions", "Installable Options", storage("boolean") + select_id()),
            ("OVImageOptions", "Image Options", image_options(2)),
            ("OVFinishing", "Finishing", finishing()),
            ("OVPerfectBinding", "Perfect Binding", perfect_binding()),
            ("OVPrintSettings", "Printer Settings", print_settings()),
        ],
        "constraints": IMAGE_CONSTRAINTS + [
            ("*OVPBindPosition BindLeft", "*OVSignature"), ("*OVSignature", "*OVPBindPosition BindLeft"),
            ("*OVPBindPosition BindRight", "*OVSignature"), ("*OVSignature", "*OVPBindPosition BindRight"),
            ("*OVPBindPosition BindTop", "*OVSignature"), ("*OVSignature", "*OVPBindPosition BindTop"),
            ("*OVStaple SaddleStaple", "*OVPunch"), ("*OVPunch", "*OVStaple SaddleStaple"),
        ],
    },
    {
        "stem": "OVQM200", "name": "QM200", "colour": False,
        "comment": "monochrome model, buffered pass",
        "attributes": [
            ("OVPSDecompMode", '"1"'), ("KQPrinterLanguageEncoding", '"ISOLatin1"'),
            ("OVDeviceModel", '"Sorrel"'), ("OVPTPasswdLimit", '"Passcode of 6 digits or more"'),
            ("OVXEnableAccounting", '"False"'), ("OVXAccountingSettings", '"Sorrel00-QM200"'),
            ("OVXEnablePrintType", '"True"'), ("OVXPrintTypeSettings", '"Sorrel00-QM200"'),
            ("OVXImageOptionsSettings", '"Sorrel00-QM200"'),
        ],
        "groups": [
            ("OVImageOptions", "Image Options", image_options(1, colour=False)),
            ("OVEngine", "Engine", engine_mono()),
        ],
        "constraints": [
            ("*OVOutputMode HighSpeed", "*OVRGBImageType Photo"),
            ("*OVRGBImageType Photo", "*OVOutputMode HighSpeed"),
        ],
    },
]

def page_size_lines():
    lines = ['*OpenUI *PageSize/Media Size: PickOne', '*OrderDependency: 10 AnySetup *PageSize',
             '*DefaultPageSize: A4']
    for name, text, w, h in PAGE_SIZES:
        lines.append('*PageSize %s/%s: "<</PageSize[%d %d]/ImagingBBox null>>setpagedevice"' % (name, text, w, h))
    lines += ['*CloseUI: *PageSize', '',
              '*OpenUI *PageRegion/Media Size: PickOne', '*OrderDependency: 10 AnySetup *PageRegion',
              '*DefaultPageRegion: A4']
    for name, text, w, h in PAGE_SIZES:
        lines.append('*PageRegion %s/%s: "<</PageSize[%d %d]/ImagingBBox null>>setpagedevice"' % (name, text, w, h))
    lines += ['*CloseUI: *PageRegion', '', '*DefaultImageableArea: A4']
    for name, text, w, h in PAGE_SIZES:
        lines.append('*ImageableArea %s/%s: "%d %d %d %d"' % (name, text, MARGIN, MARGIN, w - MARGIN, h - MARGIN))
    lines += ['', '*DefaultPaperDimension: A4']
    for name, text, w, h in PAGE_SIZES:
        lines.append('*PaperDimension %s/%s: "%d %d"' % (name, text, w, h))
    return lines

def standard_options():
    return [
        opt("Duplex", "2-Sided Printing", [("None", "Off"), ("DuplexNoTumble", "Long edge"),
                                           ("DuplexTumble", "Short edge")], order=20,
            code={"None": "<</Duplex false/Tumble false>>setpagedevice",
                  "DuplexNoTumble": "<</Duplex true/Tumble false>>setpagedevice",
                  "DuplexTumble": "<</Duplex true/Tumble true>>setpagedevice"}),
        opt("InputSlot", "Paper Source", [("AutoTray", "Auto"), ("1stTray", "Tray 1"), ("2ndTray", "Tray 2"),
                                          ("MSI", "Bypass tray")], order=20),
    ]

def option_lines(o):
    k = o["keyword"]
    lines = ['*OpenUI *%s/%s: %s' % (k, o["text"], o["ui"]),
             '*OrderDependency: %d AnySetup *%s' % (o["order"], k),
             '*Default%s: %s' % (k, o["default"])]
    for choice, text in o["choices"]:
        code = o["code"].get(choice, "%% %s %s" % (k, choice))
        lines.append('*%s %s/%s: "%s"' % (k, choice, text, code))
    lines += ['*CloseUI: *%s' % k, '']
    return lines

FONTS = ["Courier", "Courier-Bold", "Courier-BoldOblique", "Courier-Oblique", "Helvetica", "Helvetica-Bold",
         "Helvetica-BoldOblique", "Helvetica-Oblique", "Symbol", "Times-Bold", "Times-BoldItalic",
         "Times-Italic", "Times-Roman"]

def ppd_text(m):
    lines = [
        '*PPD-Adobe: "4.3"',
        '*% PostScript printer description of the Orvane ' + m["name"] + ' (' + m["comment"] + ').',
        '*% Written by ppd/generate.py.',
        '*FormatVersion: "4.3"',
        '*FileVersion: "1.0.0"',
        '*LanguageVersion: English',
        '*LanguageEncoding: ISOLatin1',
        '*PCFileName: "%s.PPD"' % m["stem"],
        '*Manufacturer: "Orvane"',
        '*Product: "(Orvane %s)"' % m["name"],
        '*ModelName: "Orvane %s"' % m["name"],
        '*ShortNickName: "Orvane %s"' % m["name"],
        '*NickName: "Orvane %s PS"' % m["name"],
        '*PSVersion: "(3010.000) 0"',
        '*LanguageLevel: "3"',
        '*ColorDevice: %s' % ("True" if m["colour"] else "False"),
        '*DefaultColorSpace: %s' % ("CMYK" if m["colour"] else "Gray"),
        '*FileSystem: False',
        '*Throughput: "30"',
        '*LandscapeOrientation: Plus90',
        '*TTRasterizer: Type42',
        '*cupsVersion: 2.4',
        '*cupsManualCopies: False',
        '*cupsFilter2: "application/vnd.cups-postscript application/vnd.cups-postscript 0 ovqfilter"',
        '',
    ]
    for name, value in m["attributes"]:
        lines.append('*%s: %s' % (name, value))
    lines.append('')
    lines += page_size_lines()
    lines.append('')
    for o in standard_options():
        lines += option_lines(o)
    for group, text, opts in m["groups"]:
        lines.append('*OpenGroup: %s/%s' % (group, text))
        lines.append('')
        for o in opts:
            lines += option_lines(o)
        lines.append('*CloseGroup: %s' % group)
        lines.append('')
    for first, second in m["constraints"]:
        lines.append('*UIConstraints: %s %s' % (first, second))
    lines += ['', '*DefaultFont: Courier']
    for font in FONTS:
        lines.append('*Font %s: Standard "(001.000)" Standard ROM' % font)
    lines += ['', '*% End of ' + m["stem"] + '.ppd', '']
    return "\n".join(lines)

def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else HERE
    for m in MODELS:
        with open(os.path.join(folder, m["stem"] + ".ppd"), "w", encoding="ascii", newline="\n") as f:
            f.write(ppd_text(m))

if __name__ == "__main__":
    main()
