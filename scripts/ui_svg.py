#!/usr/bin/env python3
"""Writes the SVG sources of the interface pictures into the folder given.

Every picture of a kind shares one frame (bar, chip, tab) and the glyphs are
drawn once, so a change of colour or shape reaches every state of every button.
Output names mirror ui/: toolbar/move_on.svg becomes ui/toolbar/move_on.bmp.
Pictures with words on them (tabs, background) come once per language: the
Chinese set at the design's own paths (tabs/model_on), every other language
in a folder named for it beside them (tabs/en/model_on, en/back); the program
falls back to English for a language without its set. icon.svg is the
program icon itself. scripts/render_ui.sh runs this.
"""
import os
import sys

FONT = "WenQuanYi Micro Hei"

# Dark surfaces: the window behind everything is black.
BAR_TOP = "#2e333b"
BAR_BOTTOM = "#23272d"
BAR_MID = "#292d34"         # knockout ring of badges drawn on the bar
EDGE_DARK = "#121417"       # the line where a bar meets the black content
EDGE_LIGHT = "#3b414a"
GLYPH = "#c3c9d1"           # normal
GLYPH_HOT = "#ffffff"       # hovered, pressed, selected
GLYPH_DIM = "#545b65"       # disabled
CHIP_HOVER = "#3c434e"
CHIP_HOVER_EDGE = "#4c5562"
ACCENT_TOP = "#4493f8"
ACCENT_BOTTOM = "#2a6fd6"
ACCENT_EDGE = "#5aa2ff"
ACCENT_DARK = "#1f5cb8"
ACCENT_TEXT = "#6cb0ff"
ADD = "#3fb950"
REMOVE = "#f0524c"

# Glyphs on a 24 x 24 grid, stroked in `c`. Badges sit at the lower right.
GLYPHS = {
    "edit": '<path d="M15.5 4.5 19.5 8.5 9 19 4 20 5 15Z"/><path d="M13 7l4 4"/>',
    "select": ('<path d="M4 3v15l4-3.6 2.8 6.2 2.7-1.2-2.8-6H16Z" fill="{c}"/>'
               '<path d="M15 15.5h5.5v5.5h-5.5z" stroke-dasharray="1.6 1.6"'
               ' stroke-width="1.4"/>'),
    "move": ('<path d="M12 3v18M3 12h18"/><path d="M9 5.5l3-3 3 3M9 18.5l3 3 3-3'
             'M5.5 9l-3 3 3 3M18.5 9l3 3-3 3"/>'),
    "rotate": ('<path d="M20 12a8 8 0 1 1-2.6-5.9"/><path d="M18.6 2.6v4.3h-4.3"/>'
               '<circle cx="12" cy="12" r="1.7" fill="{c}" stroke="none"/>'),
    "resize": ('<rect x="3" y="13" width="8" height="8" rx="1"/>'
               '<path d="M3 9.5V4a1 1 0 0 1 1-1h16a1 1 0 0 1 1 1v16a1 1 0 0 1-1 1h-5.5"'
               ' stroke-dasharray="2 2.2" stroke-width="1.4"/>'
               '<path d="M12.5 11.5l5.5-5.5M13 6h5v5"/>'),
    "point": ('<circle cx="10" cy="10" r="6" stroke-width="1.4" opacity="0.55"/>'
              '<circle cx="10" cy="10" r="3" fill="{c}" stroke="none"/>'),
    "triangle": '<path d="M10 3 18 17H2Z" fill="{c}" fill-opacity="0.25"/>',
    "box": ('<path d="M10 2.5 17.5 6v8.5L10 18 2.5 14.5V6Z" fill="{c}" fill-opacity="0.12"/>'
            '<path d="M2.5 6 10 9.5 17.5 6M10 9.5V18"/>'),
    "import": ('<path d="M4 14.5V19a1.5 1.5 0 0 0 1.5 1.5h13A1.5 1.5 0 0 0 20 19v-4.5"/>'
               '<path d="M12 3v11.5M7.5 10l4.5 4.5 4.5-4.5"/>'),
    "select_all": ('<rect x="3" y="3" width="18" height="18" rx="2"'
                   ' stroke-dasharray="2.2 2.2" stroke-width="1.4"/>'
                   '<path d="M7.5 15.5l3.2 3 6-8" stroke-width="2"/>'),
    "select_linked": ('<path d="M5 18 9.5 7l9 2.5-1 10Z" stroke-width="1.5"/>'
                      + "".join('<circle cx="%s" cy="%s" r="2.6" fill="{c}" stroke="none"/>'
                                % p for p in ((5, 18), (9.5, 7), (18.5, 9.5), (17.5, 19.5)))),
    "undo": '<path d="M9 14 4 9l5-5"/><path d="M4 9h10.5a5.5 5.5 0 0 1 0 11H11"/>',
    "redo": '<path d="M15 14l5-5-5-5"/><path d="M20 9H9.5a5.5 5.5 0 0 0 0 11H13"/>',
    "face": ('<path d="M10 3.5 17.5 16.5h-15Z" fill="{c}" fill-opacity="0.3"'
             ' stroke-width="1.4"/>'
             + "".join('<circle cx="%s" cy="%s" r="2.3" fill="{c}" stroke="none"/>'
                       % p for p in ((10, 3.5), (17.5, 16.5), (2.5, 16.5)))),
    "extend": ('<path d="M4 8h16v11H4Z" fill="{c}" fill-opacity="0.2" stroke="none"/>'
               '<path d="M4 19h16M4 8h16" stroke-width="1.6"/>'
               '<path d="M12 16.5v-6M9.5 12.5l2.5-2.5 2.5 2.5" stroke-width="1.6"/>'
               + "".join('<circle cx="%s" cy="%s" r="2.3" fill="{c}" stroke="none"/>'
                         % p for p in ((4, 8), (20, 8), (4, 19), (20, 19)))),
    # Tabs and bottom-bar buttons.
    "pattern": ('<rect x="3" y="3" width="7.5" height="7.5" rx="1.5"/>'
                '<rect x="13.5" y="3" width="7.5" height="7.5" rx="1.5" fill="{c}"/>'
                '<rect x="3" y="13.5" width="7.5" height="7.5" rx="1.5" fill="{c}"/>'
                '<rect x="13.5" y="13.5" width="7.5" height="7.5" rx="1.5"/>'),
    "model": ('<path d="M12 2.5 20.5 7v10L12 21.5 3.5 17V7Z" fill="{c}" fill-opacity="0.15"/>'
              '<path d="M3.5 7 12 11.5 20.5 7M12 11.5v10"/>'),
    "image": ('<rect x="2.5" y="4" width="19" height="16" rx="2"/>'
              '<circle cx="8.5" cy="9.5" r="1.8" fill="{c}" stroke="none"/>'
              '<path d="M3 18l5.5-5.5 3.5 3.5 3-3 6 6" />'),
    "open": ('<path d="M3 18.5V5.5A1.5 1.5 0 0 1 4.5 4h4.2l2 2.2h7.8A1.5 1.5 0 0 1 20 7.7V10"/>'
             '<path d="M3 18.5 6 11h16l-3.2 7.5Z" fill="{c}" fill-opacity="0.2"/>'),
    "produce": ('<path d="M10 3.5l1.9 5.1 5.1 1.9-5.1 1.9L10 17.5l-1.9-5.1L3 10.5l5.1-1.9Z"'
                ' fill="{c}" stroke-width="1.2"/>'
                '<path d="M18.5 14l.9 2.4 2.4.9-2.4.9-.9 2.4-.9-2.4-2.4-.9 2.4-.9Z"'
                ' fill="{c}" stroke-width="1"/>'
                '<path d="M18 3.5v3.6M16.2 5.3h3.6" stroke-width="1.4"/>'),
    "save": ('<path d="M4 5.5A1.5 1.5 0 0 1 5.5 4h11L20 7.5v11a1.5 1.5 0 0 1-1.5 1.5h-13A1.5 1.5 0 0 1 4 18.5Z"/>'
             '<path d="M8 4v4.5h7V4"/><rect x="7.5" y="13" width="9" height="7" rx="1"'
             ' fill="{c}" fill-opacity="0.25"/>'),
}


def badge(kind, ring):
    """A small + (green) or x (red) in a disc at the glyph's lower right."""
    color = ADD if kind == "+" else REMOVE
    mark = "M15.5 18.5h6M18.5 15.5v6" if kind == "+" else "M16.4 16.4l4.2 4.2M20.6 16.4l-4.2 4.2"
    return ('<circle cx="18.5" cy="18.5" r="5.6" fill="%s" stroke="%s" stroke-width="1.6"/>'
            '<path d="%s" stroke="#ffffff" stroke-width="1.8"/>' % (color, ring, mark))


# Toolbar pictures: glyph and optional badge.
TOOLBAR = {
    "edit": ("edit", None), "select": ("select", None), "move": ("move", None),
    "rotate": ("rotate", None), "resize": ("resize", None),
    "insert_point": ("point", "+"), "insert_triangle": ("triangle", "+"),
    "insert_box": ("box", "+"),
    "import": ("import", None), "select_all": ("select_all", None),
    "select_linked": ("select_linked", None), "undo": ("undo", None), "redo": ("redo", None),
    "addFace": ("face", "+"), "removeFace": ("face", "x"), "removePoint": ("point", "x"),
    "extend": ("extend", None),
}
OPTIONS = ["edit", "select", "move", "rotate", "resize", "insert_point", "insert_triangle",
           "insert_box"]


def glyph(name, x, y, size, color, ring=None, badge_kind=None):
    body = GLYPHS[name].replace("{c}", color)
    if badge_kind:
        body += badge(badge_kind, ring)
    return ('<g transform="translate(%g %g) scale(%g)" fill="none" stroke="%s"'
            ' stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round">%s</g>'
            % (x, y, size / 24.0, color, body))


def svg(w, h, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
            '<defs>%s</defs>%s</svg>\n' % (w, h, w, h, defs, body))


BAR_DEFS = ('<linearGradient id="bar" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            '<linearGradient id="accent" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            % (BAR_TOP, BAR_BOTTOM, ACCENT_TOP, ACCENT_BOTTOM))


def bar(w, edge_at_top):
    """The strip behind buttons: a dark line towards the content, a light one away."""
    dark_y, light_y = (0, 37) if edge_at_top else (37, 0)
    return ('<rect width="%d" height="38" fill="url(#bar)"/>'
            '<rect y="%d" width="%d" height="1" fill="%s"/>'
            '<rect y="%d" width="%d" height="1" fill="%s"/>'
            % (w, light_y, w, EDGE_LIGHT, dark_y, w, EDGE_DARK))


def chip(x, y, w, h, state):
    """Rounded plate behind a glyph: 'hover' grey, 'on' accent, 'down' pressed accent."""
    if state == "hover":
        fill, edge = CHIP_HOVER, CHIP_HOVER_EDGE
    elif state == "on":
        fill, edge = "url(#accent)", ACCENT_EDGE
    else:
        fill, edge = ACCENT_DARK, ACCENT_BOTTOM
    return ('<rect x="%g" y="%g" width="%g" height="%g" rx="5" fill="%s" stroke="%s"/>'
            % (x + 0.5, y + 0.5, w - 1, h - 1, fill, edge))


def toolbar_picture(name, state):
    """30 x 38; state is off (normal), in (pointer over), on (selected) or dis."""
    g, b = TOOLBAR[name]
    body = bar(30, edge_at_top=False)
    color, ring = GLYPH, BAR_MID
    if state in ("in", "on"):
        body += chip(1, 4, 28, 30, "hover" if state == "in" else "on")
        color = GLYPH_HOT
        ring = CHIP_HOVER if state == "in" else ACCENT_BOTTOM
    elif state == "dis":
        color = GLYPH_DIM
    return svg(30, 38, body + glyph(g, 4, 8, 22, color, ring, b), BAR_DEFS)


# Tabs: (file name and glyph, width); their captions by language.
TABS = [("pattern", 100), ("model", 100), ("image", 120)]
CAPTIONS = {
    "zh": {"pattern": "图案", "model": "模型", "image": "立体画"},
    "en": {"pattern": "Pattern", "model": "Model", "image": "Stereogram"},
}
# The background card's words by language: what the program does, and what a
# click on it opens.
CARD = {
    "zh": ("单图三维立体画制作", "点击查看使用说明 (F1) \u203a"),
    "en": ("Single-image stereogram maker", "Click for help (F1) \u203a"),
}


def text_width(text, size):
    """Roughly how wide the font draws text: CJK glyphs are square, Latin ones
    about half as wide."""
    return sum(size if ord(ch) > 0x2e80 else size * 0.55 for ch in text)


def tab_picture(width, glyph_name, caption, selected):
    body = bar(width, edge_at_top=True)
    color = GLYPH_HOT if selected else "#8d96a1"
    if selected:
        # A raised plate joined to the content above by an accent line.
        body += ('<path d="M1 1H%d V32a4 4 0 0 1-4 4H5a4 4 0 0 1-4-4Z" fill="#363c46"/>'
                 '<rect x="1" y="0" width="%d" height="3" fill="%s"/>'
                 % (width - 1, width - 2, ACCENT_TOP))
    text_w = text_width(caption, 15)
    left = (width - (18 + 6 + text_w)) / 2.0
    body += glyph(glyph_name, left, 11, 18, ACCENT_TEXT if selected else color)
    body += ('<text x="%g" y="25" font-family="%s" font-size="15" fill="%s">%s</text>'
             % (left + 24, FONT, color, caption))
    return svg(width, 38, body, BAR_DEFS)


# Bottom-bar buttons: (file name, width); the glyph is the name.
BUTTONS = [("open", 33), ("produce", 25), ("save", 25)]
BUTTON_STATES = ["out", "up", "down", "dis"]


def button_picture(name, width, state):
    """out: pointer outside, up: pointer over, down: pressed, dis: disabled."""
    body = bar(width, edge_at_top=True)
    chip_x = (width - 25) / 2.0
    dy = 0
    color = ACCENT_TEXT if name == "produce" else GLYPH   # the main action stands out
    if state == "up":
        body += chip(chip_x, 5, 25, 29, "hover")
        color = GLYPH_HOT
    elif state == "down":
        body += chip(chip_x, 5, 25, 29, "down")
        color, dy = GLYPH_HOT, 1
    elif state == "dis":
        color = GLYPH_DIM
    return svg(width, 38, body + glyph(name, (width - 21) / 2.0, 9 + dy, 21, color), BAR_DEFS)


def dot_field(x0, y0, w, h, seed):
    """A fixed scatter of dots, the way a random-dot stereogram starts."""
    out, state = [], seed
    for _ in range(260):
        values = []
        for _ in range(3):
            state = (state * 1103515245 + 12345) % 2147483648
            values.append(state / 2147483648.0)
        out.append('<circle cx="%.1f" cy="%.1f" r="%.1f"/>'
                   % (x0 + values[0] * w, y0 + values[1] * h, 0.6 + values[2] * 1.4))
    return "".join(out)


def mark(size):
    """The program's sign: a cube seen by two eyes (cyan and red), on a tiled plate."""
    s = size / 64.0
    cube = '<path d="M32 14 48 22.5v19L32 50 16 41.5v-19Z"/><path d="M16 22.5 32 31l16-8.5M32 31v19"/>'
    return ('<g transform="scale(%g)">'
            '<rect x="2" y="2" width="60" height="60" rx="14" fill="url(#plate)"/>'
            '<g fill="#ffffff" opacity="0.09">%s</g>'
            '<g fill="none" stroke-width="3.4" stroke-linejoin="round" stroke-linecap="round">'
            '<g stroke="#3fe0ff" opacity="0.9" transform="translate(-3 0)">%s</g>'
            '<g stroke="#ff4d6d" opacity="0.9" transform="translate(3 0)">%s</g>'
            '<g stroke="#ffffff">%s</g></g>'
            '<rect x="2.5" y="2.5" width="59" height="59" rx="13.5" fill="none"'
            ' stroke="#ffffff" stroke-opacity="0.18"/></g>'
            % (s, "".join('<rect x="%d" y="%d" width="4" height="4" rx="1"/>' % (x, y)
                          for x in range(8, 56, 8) for y in range(8, 56, 8) if (x + y) % 16),
               cube, cube, cube))


MARK_DEFS = ('<linearGradient id="plate" x1="0" y1="0" x2="1" y2="1">'
             '<stop offset="0" stop-color="#4c8dff"/><stop offset="1" stop-color="#7a3cff"/>'
             '</linearGradient>')


def background_picture(language):
    """500 x 180 on the black window: the sign, the name, what the program does
    and the help it opens."""
    what, link = CARD[language]
    defs = MARK_DEFS + ('<linearGradient id="card" x1="0" y1="0" x2="0" y2="1">'
                        '<stop offset="0" stop-color="#1d2128"/>'
                        '<stop offset="1" stop-color="#131519"/></linearGradient>'
                        '<linearGradient id="fade" x1="0" y1="0" x2="1" y2="0">'
                        '<stop offset="0" stop-color="#ffffff" stop-opacity="0"/>'
                        '<stop offset="1" stop-color="#ffffff" stop-opacity="0.07"/>'
                        '</linearGradient><mask id="fademask">'
                        '<rect width="500" height="180" fill="url(#fade)"/></mask>')
    body = ('<rect width="500" height="180" fill="#000000"/>'
            '<rect x="0.5" y="0.5" width="499" height="179" rx="16" fill="url(#card)"'
            ' stroke="#2a3039"/>'
            '<g fill="#ffffff" mask="url(#fademask)">%s</g>'
            '<g transform="translate(38 42)">%s</g>'
            '<text x="160" y="92" font-family="%s" font-size="50" fill="#f4f6f8"'
            ' letter-spacing="1">Pexolen</text>'
            '<text x="162" y="122" font-family="%s" font-size="17" fill="#9aa4b0">'
            '%s</text>'
            '<text x="162" y="148" font-family="%s" font-size="13" fill="%s">'
            '%s</text>'
            % (dot_field(150, 8, 342, 164, 7), mark(96), FONT, FONT, what, FONT, ACCENT_TEXT,
               link))
    return svg(500, 180, body, defs)


def write(folder, name, text):
    path = os.path.join(folder, name + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    out = sys.argv[1]
    for name in TOOLBAR:
        states = ["on", "off"] if name in OPTIONS else ["off", "in"]
        for state in states:
            write(out, "toolbar/%s_%s" % (name, state), toolbar_picture(name, state))
    write(out, "toolbar/select_dis", toolbar_picture("select", "dis"))
    write(out, "toolbar/bar", svg(30, 38, bar(30, edge_at_top=False), BAR_DEFS))
    for language, captions in CAPTIONS.items():
        folder = "tabs/" if language == "zh" else "tabs/%s/" % language
        for name, width in TABS:
            for selected in (True, False):
                write(out, "%s%s_%s" % (folder, name, "on" if selected else "off"),
                      tab_picture(width, name, captions[name], selected))
    write(out, "tabs/bar", svg(30, 38, bar(30, edge_at_top=True), BAR_DEFS))
    for name, width in BUTTONS:
        for state in BUTTON_STATES:
            write(out, "buttons/%s_%s" % (name, state), button_picture(name, width, state))
    for language in CARD:
        write(out, "back" if language == "zh" else "%s/back" % language,
              background_picture(language))
    write(out, "icon", svg(64, 64, mark(64), MARK_DEFS))


if __name__ == "__main__":
    main()
