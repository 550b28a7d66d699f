#!/usr/bin/env python3
# Writes the SVG sources of the skin (data/skin/*.svg and data/skin/mouse/*.svg)
# from one palette, so that every picture shares the same colours and edges.
# Edit this file and run it again; the build renders the SVGs to PNG.
import os, math
OUT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
os.makedirs(OUT, exist_ok=True)

def svg(name, w, h, body, defs=''):
    txt = f'''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">
<defs>
{defs}
</defs>
{body}
</svg>
'''
    path = os.path.join(OUT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    open(path, 'w').write(txt)

# Palette of the dark skin.
BG0 = '#0b0c0f'
PANEL = '#121317'
PANEL2 = '#181a20'
PANEL3 = '#1f2128'
LINE = '#2a2d35'
LINE2 = '#3a3e48'
STEEL = '#5d6370'
LIGHT = '#aeb4c0'
TEXT = '#e2e5eb'
WHITE = '#ffffff'

def hatch(x, y, w, h, step=10, op=0.018, width=3):
    # 45-degree lines clipped to the rectangle by hand (no patterns in SVG Tiny).
    out = []
    k = -h
    while k < w:
        x0, y0 = x + k, y + h
        x1, y1 = x + k + h, y
        if x0 < x:
            y0 -= (x - x0); x0 = x
        if x1 > x + w:
            y1 += (x1 - (x + w)); x1 = x + w
        if x1 > x0:
            out.append(f'M{x0:.1f},{y0:.1f} L{x1:.1f},{y1:.1f}')
        k += step
    return f'<path d="{" ".join(out)}" stroke="#ffffff" stroke-opacity="{op}" stroke-width="{width}"/>'

def chamfer(x, y, w, h, c):
    return f'M{x+c},{y} L{x+w-c},{y} L{x+w},{y+c} L{x+w},{y+h-c} L{x+w-c},{y+h} L{x+c},{y+h} L{x},{y+h-c} L{x},{y+c} Z'

def vgrad(id, top, bottom, extra=''):
    return f'<linearGradient id="{id}" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{top}"/>{extra}<stop offset="1" stop-color="{bottom}"/></linearGradient>'

# ---------------------------------------------------------------- buttons
# Four looks: normal, hover, pressed, disabled.
STATES = {
    'normal':   dict(top='#20232a', bot='#15171c', edge='#353944', hi='#ffffff', hia=0.07),
    'hover':    dict(top='#2b2f38', bot='#1c1f25', edge='#7a808d', hi='#ffffff', hia=0.12),
    'pressed':  dict(top='#101115', bot='#17191e', edge='#9aa0ad', hi='#ffffff', hia=0.0),
    'disabled': dict(top='#15161a', bot='#121317', edge='#23252b', hi='#ffffff', hia=0.02),
}

def button(name, w, h, state, c=None, chevron=False, icon=''):
    s = STATES[state]
    c = c if c is not None else h * 0.28
    defs = vgrad('g', s['top'], s['bot'])
    body = f'<path d="{chamfer(0.5,0.5,w-1,h-1,c)}" fill="url(#g)" stroke="{s["edge"]}" stroke-width="1"/>'
    if s['hia'] > 0:
        body += f'<path d="M{c+1},{1.6} L{w-c-1},{1.6}" stroke="{s["hi"]}" stroke-opacity="{s["hia"]*3}" stroke-width="1"/>'
    if state == 'pressed':
        body += f'<path d="M{c+2},{h-2} L{w-c-2},{h-2}" stroke="{WHITE}" stroke-opacity="0.35" stroke-width="1.2"/>'
    if chevron:
        cx = w - h * 0.55
        cy = h / 2
        k = h * 0.13
        col = LIGHT if state != 'disabled' else '#3a3d45'
        body += f'<path d="M{cx-k},{cy-k*0.55} L{cx},{cy+k*0.55} L{cx+k},{cy-k*0.55}" fill="none" stroke="{col}" stroke-width="{max(1.2,h*0.06)}" stroke-linecap="round" stroke-linejoin="round"/>'
    body += icon
    svg(name, w, h, body, defs)

# Function buttons of the button page and the mouse selector: normal, pressed, hover.
button('tabbutton-1.svg', 220, 30, 'normal', chevron=True)
button('tabbutton-2.svg', 220, 30, 'pressed', chevron=True)
button('tabbutton-3.svg', 220, 30, 'hover', chevron=True)

# Drop-down pickers.
button('rate.svg', 120, 30, 'normal', chevron=True)
button('profilesel.svg', 200, 30, 'normal', chevron=True)
button('bulletsel.svg', 60, 30, 'normal', chevron=True)

# Page tabs: normal, hover, selected/pressed, disabled.
def tab(name, state):
    w, h = 150, 40
    s = STATES[state]
    defs = vgrad('g', s['top'], s['bot'])
    d = f'M0.5,{h-0.5} L12,0.5 L{w-0.5},0.5 L{w-12},{h-0.5} Z'
    body = f'<path d="{d}" fill="url(#g)" stroke="{s["edge"]}" stroke-width="1"/>'
    if state in ('hover', 'pressed'):
        body += f'<path d="M{6},{h-2} L{w-14},{h-2}" stroke="{WHITE}" stroke-opacity="{0.25 if state=="hover" else 0.5}" stroke-width="1.5"/>'
    svg(name, w, h, body, defs)
for i, st in enumerate(['normal', 'hover', 'pressed', 'disabled'], 1):
    tab(f'tab-{i}.svg', st)
    button(f'profile-{i}.svg', 110, 32, st)
    button(f'cmd-{i}.svg', 100, 30, st, c=6)

# Title buttons: close and minimise (normal, hover, pressed).
def titlebtn(name, kind, state):
    w = h = 30
    fills = {'normal': ('#000000', 0.0, LIGHT), 'hover': ('#2b2f38', 1.0, WHITE), 'pressed': ('#101115', 1.0, WHITE)}
    f, fo, col = fills[state]
    body = f'<rect x="3" y="3" width="24" height="24" rx="3" fill="{f}" fill-opacity="{fo}"/>'
    if kind == 'close':
        body += f'<path d="M10,10 L20,20 M20,10 L10,20" stroke="{col}" stroke-width="2" stroke-linecap="round"/>'
    else:
        body += f'<path d="M9,19 L21,19" stroke="{col}" stroke-width="2" stroke-linecap="round"/>'
    # An invisible hit area keeps the whole square clickable.
    body = f'<rect width="30" height="30" fill="#000" fill-opacity="0.004"/>' + body
    svg(name, w, h, body)
for i, st in enumerate(['normal', 'hover', 'pressed'], 1):
    titlebtn(f'close-{i}.svg', 'close', st)
    titlebtn(f'min-{i}.svg', 'min', st)

# Dialog buttons (compiled into the program).
def dlgbtn(name, primary):
    w, h = 110, 34
    top, bot = ('#2a2e37', '#1a1c22') if primary else ('#1c1e24', '#131418')
    defs = vgrad('g', top, bot)
    body = f'<path d="{chamfer(0.5,0.5,w-1,h-1,9)}" fill="url(#g)" stroke="{"#8a909c" if primary else "#474b55"}" stroke-width="1"/>'
    body += f'<path d="M10,2 L{w-10},2" stroke="#fff" stroke-opacity="0.18" stroke-width="1"/>'
    svg(name, w, h, body, defs)
dlgbtn('yes_Btn.svg', True)
dlgbtn('no_Btn.svg', False)

# ---------------------------------------------------------------- markers
def marker(name, state):
    w = h = 20
    ring = {'normal': STEEL, 'hover': WHITE, 'selected': WHITE}[state]
    core = {'normal': '#2a2d35', 'hover': '#8b919d', 'selected': WHITE}[state]
    body = ''
    if state != 'normal':
        body += f'<circle cx="10" cy="10" r="9.2" fill="#fff" fill-opacity="0.18"/>'
    body += f'<circle cx="10" cy="10" r="6.5" fill="{PANEL}" stroke="{ring}" stroke-width="1.6"/>'
    body += f'<circle cx="10" cy="10" r="3" fill="{core}"/>'
    svg(name, w, h, body)
for i, st in enumerate(['normal', 'hover', 'selected'], 1):
    marker(f'marker-{i}.svg', st)

def arrowmarker(name, up, style, on):
    w = h = 24
    col = WHITE if on else LIGHT
    fill = '#3b3f49' if on else PANEL
    body = ''
    if on:
        body += '<circle cx="12" cy="12" r="11.3" fill="#fff" fill-opacity="0.16"/>'
    if style == 'round':
        body += f'<circle cx="12" cy="12" r="9" fill="{fill}" stroke="{col}" stroke-width="1.6"/>'
        pts = 'M7.5,14 L12,9 L16.5,14' if up else 'M7.5,10 L12,15 L16.5,10'
        body += f'<path d="{pts}" fill="none" stroke="{col}" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>'
    else:
        d = chamfer(3, 3, 18, 18, 5)
        body += f'<path d="{d}" fill="{fill}" stroke="{col}" stroke-width="1.6"/>'
        tri = 'M7,15 L12,8 L17,15 Z' if up else 'M7,9 L12,16 L17,9 Z'
        body += f'<path d="{tri}" fill="{col}"/>'
    svg(name, w, h, body)
# 1 highlighted / 2 normal (round style); 3 highlighted / 4 normal (square style).
for d, up in (('up', True), ('down', False)):
    arrowmarker(f'btn_{d}1.svg', up, 'round', True)
    arrowmarker(f'btn_{d}2.svg', up, 'round', False)
    arrowmarker(f'btn_{d}3.svg', up, 'square', True)
    arrowmarker(f'btn_{d}4.svg', up, 'square', False)

# ---------------------------------------------------------------- check boxes and radios
def checkbox(name, checked, shape='box'):
    w = h = 20
    body = ''
    if shape == 'box':
        body += f'<rect x="2.5" y="2.5" width="15" height="15" rx="2.5" fill="{PANEL2 if not checked else "#2c3039"}" stroke="{STEEL if not checked else WHITE}" stroke-width="1.4"/>'
        if checked:
            body += f'<path d="M5.8,10.3 L8.8,13.3 L14.4,6.9" fill="none" stroke="{WHITE}" stroke-width="2.1" stroke-linecap="round" stroke-linejoin="round"/>'
    else:
        body += f'<circle cx="10" cy="10" r="7.5" fill="{PANEL2}" stroke="{STEEL if not checked else WHITE}" stroke-width="1.4"/>'
        if checked:
            body += f'<circle cx="10" cy="10" r="4" fill="{WHITE}"/>'
    svg(name, w, h, body)
checkbox('checkbox2-1.svg', False)
checkbox('checkbox2-2.svg', True)
checkbox('checkbox-1.svg', False)
checkbox('checkbox-2.svg', True)
checkbox('radio-1.svg', False, 'radio')
checkbox('radio-2.svg', True, 'radio')

# Spin box arrows: a solid triangle, bright (1) and dimmed for a box that is
# disabled or at the end of its range (2).
def spinarrow(name, up, colour):
    w, h = 10, 6
    points = '0.5,5.5 9.5,5.5 5,0.5' if up else '0.5,0.5 9.5,0.5 5,5.5'
    svg(name, w, h, f'<polygon points="{points}" fill="{colour}" stroke="{colour}" stroke-width="0.6" stroke-linejoin="round"/>')
for d, up in (('up', True), ('down', False)):
    spinarrow(f'spin_{d}-1.svg', up, WHITE)
    spinarrow(f'spin_{d}-2.svg', up, '#4a4d55')

def dpiled(name, on):
    w = h = 20
    body = ''
    if on:
        defs = '<radialGradient id="glow"><stop offset="0" stop-color="#fff" stop-opacity="0.55"/><stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>'
        body += '<circle cx="10" cy="10" r="9.8" fill="url(#glow)"/>'
        body += f'<circle cx="10" cy="10" r="6.2" fill="#2f333c" stroke="{WHITE}" stroke-width="1.5"/>'
        body += f'<circle cx="10" cy="10" r="3.3" fill="{WHITE}"/>'
    else:
        defs = ''
        body += f'<circle cx="10" cy="10" r="6.2" fill="{PANEL2}" stroke="{STEEL}" stroke-width="1.5"/>'
    svg(name, w, h, body, defs)
dpiled('DPI-ON.svg', True)
dpiled('DPI-OFF.svg', False)

def handle():
    body = f'<circle cx="10" cy="10" r="8" fill="#e9ecf1" stroke="#0b0c0f" stroke-width="1.5"/><circle cx="10" cy="10" r="3" fill="#8a8f99"/>'
    svg('slider_handle.svg', 20, 20, body)
handle()

# ---------------------------------------------------------------- dialogs
def panelbg(name, w, h, title_band=True):
    defs = vgrad('bg', '#17191e', '#0f1013')
    body = f'<rect width="{w}" height="{h}" fill="url(#bg)"/>'
    body += hatch(0, 0, w, h, 8, 0.018, 2)
    # Corner brackets.
    k = 18
    for (x, y, dx, dy) in ((6, 6, 1, 1), (w-6, 6, -1, 1), (6, h-6, 1, -1), (w-6, h-6, -1, -1)):
        body += f'<path d="M{x},{y+dy*k} L{x},{y} L{x+dx*k},{y}" fill="none" stroke="{STEEL}" stroke-width="1.5"/>'
    if title_band:
        body += f'<path d="M{w*0.3},{3.5} L{w*0.7},{3.5}" stroke="#ffffff" stroke-opacity="0.25" stroke-width="1"/>'
    svg(name, w, h, body, defs)
panelbg('dlg.svg', 478, 309)
panelbg('dlg_gun.svg', 619, 400)

def process():
    w = h = 128
    defs = vgrad('bg', '#1a1c22', '#121317')
    body = f'<rect x="1" y="1" width="126" height="126" rx="16" fill="url(#bg)" stroke="{LINE2}" stroke-width="1.5"/>'
    svg('process.svg', w, h, body, defs)
process()

def loading():
    # 12 dots; the group turns by one dot per frame.
    w = h = 127
    body = f'<g transform="rotate(@ANGLE@ 63.5 63.5)">'
    for i in range(12):
        a = math.radians(i * 30 - 90)
        x = 63.5 + 36 * math.cos(a)
        y = 63.5 + 36 * math.sin(a)
        op = 0.16 + 0.84 * (i / 11.0)
        r = 4.2 + 3.2 * (i / 11.0)
        # Solid greys between the panel colour and white: the GIF has no partial transparency.
        g = lambda c: int(c + (255 - c) * op)
        body += f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{r:.2f}" fill="#{g(0x16):02x}{g(0x17):02x}{g(0x1c):02x}"/>'
    body += '</g>'
    svg('loading.svg', w, h, body)
loading()

# ---------------------------------------------------------------- icons
def warn():
    w = h = 45
    defs = vgrad('g', '#3a3e48', '#23262e')
    body = f'<path d="M22.5,3 L43,40 L2,40 Z" fill="url(#g)" stroke="{WHITE}" stroke-width="2.4" stroke-linejoin="round"/>'
    body += f'<path d="M22.5,15 L22.5,28" stroke="{WHITE}" stroke-width="4" stroke-linecap="round"/>'
    body += f'<circle cx="22.5" cy="34" r="2.5" fill="{WHITE}"/>'
    svg('warn.svg', w, h, body, defs)
warn()

def dongle(name, w, h, slash):
    # A USB receiver drawn upright in a w × h box (viewBox 40 × 40).
    body = f'<g transform="scale({w/40} {h/40})">'
    body += f'<rect x="13" y="4" width="14" height="11" rx="1.5" fill="none" stroke="{LIGHT}" stroke-width="2"/>'
    body += f'<rect x="16" y="7.5" width="3" height="3" fill="{LIGHT}"/><rect x="21" y="7.5" width="3" height="3" fill="{LIGHT}"/>'
    body += f'<path d="M10,15 L30,15 L30,33 Q30,37 26,37 L14,37 Q10,37 10,33 Z" fill="#2a2d35" stroke="{WHITE}" stroke-width="2.2" stroke-linejoin="round"/>'
    body += f'<path d="M15,24 L25,24" stroke="{LIGHT}" stroke-width="2" stroke-linecap="round"/>'
    if slash:
        body += f'<path d="M5,36 L35,6" stroke="#0f1013" stroke-width="6" stroke-linecap="round"/>'
        body += f'<path d="M5,36 L35,6" stroke="{WHITE}" stroke-width="2.6" stroke-linecap="round"/>'
    body += '</g>'
    svg(name, w, h, body)
dongle('dongle.svg', 40, 40, False)
dongle('dongle2.svg', 45, 45, True)

def lightning():
    w, h = 24, 40
    defs = vgrad('g', '#ffffff', '#c9ced8')
    body = f'<path d="M14,1.5 L3,22 L11,22 L8,38.5 L21,15 L13,15 Z" fill="url(#g)" stroke="#0b0c0f" stroke-width="1" stroke-linejoin="round"/>'
    svg('lightning.svg', w, h, body, defs)
lightning()

def emblem(cx, cy, r, col=WHITE):
    # A stylised mouse-in-hexagon emblem.
    pts = ' '.join(f'{cx + r*math.cos(math.radians(60*i-90)):.2f},{cy + r*math.sin(math.radians(60*i-90)):.2f}' for i in range(6))
    b = f'<polygon points="{pts}" fill="none" stroke="{col}" stroke-width="{r*0.12:.2f}" stroke-linejoin="round"/>'
    mw, mh = r*0.62, r*0.9
    b += f'<rect x="{cx-mw/2:.2f}" y="{cy-mh/2:.2f}" width="{mw:.2f}" height="{mh:.2f}" rx="{mw/2:.2f}" fill="{col}"/>'
    b += f'<path d="M{cx:.2f},{cy-mh/2:.2f} L{cx:.2f},{cy-mh*0.08:.2f}" stroke="#0b0c0f" stroke-width="{r*0.07:.2f}"/>'
    b += f'<path d="M{cx-mw/2:.2f},{cy-mh*0.08:.2f} L{cx+mw/2:.2f},{cy-mh*0.08:.2f}" stroke="#0b0c0f" stroke-width="{r*0.05:.2f}"/>'
    return b

def logo():
    w, h = 160, 40
    body = emblem(20, 20, 17)
    # Speed lines instead of a word mark.
    for i, (x0, x1, y, op) in enumerate(((44, 156, 13, 0.9), (44, 130, 20, 0.55), (44, 104, 27, 0.3))):
        body += f'<path d="M{x0},{y} L{x1},{y}" stroke="#fff" stroke-opacity="{op}" stroke-width="3.2" stroke-linecap="round"/>'
    svg('mouselogo.svg', w, h, body)
logo()

def appicon():
    w = h = 256
    defs = vgrad('g', '#262932', '#0d0e11')
    body = f'<path d="{chamfer(8,8,240,240,48)}" fill="url(#g)" stroke="#9aa0ad" stroke-width="6"/>'
    body += emblem(128, 128, 82)
    svg('icon.svg', w, h, body, defs)
appicon()

def langbtn():
    w, h = 100, 24
    s = STATES['normal']
    defs = vgrad('g', s['top'], s['bot'])
    body = f'<path d="{chamfer(0.5,0.5,w-1,h-1,6)}" fill="url(#g)" stroke="{s["edge"]}" stroke-width="1"/>'
    # Globe at the left edge; the language name is centred by the button.
    cx, cy, r = 12, 12, 6.5
    body += f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="{LIGHT}" stroke-width="1.2"/>'
    body += f'<ellipse cx="{cx}" cy="{cy}" rx="{r*0.45}" ry="{r}" fill="none" stroke="{LIGHT}" stroke-width="1"/>'
    body += f'<path d="M{cx-r},{cy} L{cx+r},{cy}" stroke="{LIGHT}" stroke-width="1"/>'
    svg('lang.svg', w, h, body, defs)
langbtn()

def bullet():
    w, h = 20, 60
    defs = vgrad('brass', '#e4e7ec', '#8e94a0').replace('x2="0" y2="1"', 'x2="1" y2="0"')
    body = f'<path d="M4,22 Q4,4 10,1.5 Q16,4 16,22 Z" fill="url(#brass)" stroke="#0b0c0f" stroke-width="0.8"/>'
    body += f'<rect x="3.5" y="22" width="13" height="33" rx="1" fill="url(#brass)" stroke="#0b0c0f" stroke-width="0.8"/>'
    body += f'<rect x="2.5" y="53" width="15" height="5.5" rx="1" fill="#6b717d" stroke="#0b0c0f" stroke-width="0.8"/>'
    body += f'<path d="M6.5,26 L6.5,50" stroke="#fff" stroke-opacity="0.5" stroke-width="1.4"/>'
    svg('gunset_bullet.svg', w, h, body, defs)
bullet()

# Macro event icons (key and mouse-button down/up, movement, delay).
def smallicon(name, inner):
    svg(name, 16, 16, inner)
smallicon('keydown.svg', f'<rect x="1.5" y="3.5" width="13" height="11" rx="2" fill="none" stroke="{LIGHT}" stroke-width="1.2"/><path d="M8,5.5 L8,12 M5.2,9.4 L8,12.2 L10.8,9.4" fill="none" stroke="#fff" stroke-width="1.5" stroke-linecap="round" stroke-linejoin="round"/>')
smallicon('keyup.svg', f'<rect x="1.5" y="3.5" width="13" height="11" rx="2" fill="none" stroke="{LIGHT}" stroke-width="1.2"/><path d="M8,12.5 L8,6 M5.2,8.6 L8,5.8 L10.8,8.6" fill="none" stroke="#fff" stroke-width="1.5" stroke-linecap="round" stroke-linejoin="round"/>')
smallicon('mousedown.svg', f'<rect x="3.5" y="1.5" width="9" height="13" rx="4.5" fill="none" stroke="{LIGHT}" stroke-width="1.2"/><path d="M3.5,6.5 L12.5,6.5 M8,1.5 L8,6.5" stroke="{LIGHT}" stroke-width="1"/><path d="M4,6 L4,5 Q4,2 7.5,2 L7.5,6 Z" fill="#fff"/>')
smallicon('mouseup.svg', f'<rect x="3.5" y="1.5" width="9" height="13" rx="4.5" fill="none" stroke="{LIGHT}" stroke-width="1.2"/><path d="M3.5,6.5 L12.5,6.5 M8,1.5 L8,6.5" stroke="{LIGHT}" stroke-width="1"/>')
smallicon('move.svg', f'<path d="M8,1.5 L8,14.5 M1.5,8 L14.5,8 M6,3.5 L8,1.5 L10,3.5 M6,12.5 L8,14.5 L10,12.5 M3.5,6 L1.5,8 L3.5,10 M12.5,6 L14.5,8 L12.5,10" fill="none" stroke="#fff" stroke-width="1.3" stroke-linecap="round" stroke-linejoin="round"/>')
smallicon('delay.svg', f'<circle cx="8" cy="8.5" r="6" fill="none" stroke="{LIGHT}" stroke-width="1.3"/><path d="M8,5 L8,8.5 L10.5,10" fill="none" stroke="#fff" stroke-width="1.4" stroke-linecap="round"/><path d="M6,1.5 L10,1.5" stroke="{LIGHT}" stroke-width="1.3"/>')

# ---------------------------------------------------------------- battery frames
def battery(name, plugged):
    w, h = 86, 47
    defs = vgrad('g', '#1d1f25', '#121317')
    body = f'<path d="{chamfer(1,8,74,31,4)}" fill="url(#g)" stroke="{LIGHT}" stroke-width="2"/>'
    body += f'<rect x="76" y="17" width="7" height="13" rx="1.5" fill="{LIGHT}"/>'
    if plugged:
        # Cable connection: a full battery with a plug.
        body += f'<rect x="6" y="13" width="64" height="21" fill="#fff" fill-opacity="0.12"/>'
        body += f'<path d="M32,16 L32,21 M44,16 L44,21" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>'
        body += f'<path d="M28,21 L48,21 L48,24 Q48,30 38,30 Q28,30 28,24 Z" fill="#fff"/>'
        body += f'<path d="M38,30 L38,34" stroke="#fff" stroke-width="2.4"/>'
    svg(name, w, h, body, defs)
battery('bat1.svg', False)
battery('bat2.svg', True)

# ---------------------------------------------------------------- window background
def mainback():
    w, h = 999, 640
    defs = vgrad('bg', '#15161b', '#0b0c0f')
    defs += vgrad('panel', '#15171c', '#101115')
    defs += vgrad('head', '#1b1d23', '#121317')
    defs += '<radialGradient id="spot" cx="0.5" cy="0.45" r="0.5"><stop offset="0" stop-color="#ffffff" stop-opacity="0.06"/><stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>'
    outer = chamfer(0, 0, w, h, 22)
    body = f'<path d="{outer}" fill="url(#bg)"/>'
    body += hatch(24, 66, 951, 572, 10, 0.016, 3)
    # Title band.
    body += f'<path d="M22,0 L977,0 L999,22 L999,64 L0,64 L0,22 Z" fill="url(#head)"/>'
    body += f'<path d="M0,64.5 L999,64.5" stroke="{LINE}" stroke-width="1"/>'
    body += f'<path d="M300,64.5 L700,64.5" stroke="#fff" stroke-opacity="0.22" stroke-width="1"/>'
    # Mouse view, left.
    body += f'<path d="{chamfer(14,74,260,496,12)}" fill="url(#panel)" stroke="{LINE}" stroke-width="1"/>'
    body += f'<ellipse cx="144" cy="300" rx="120" ry="190" fill="url(#spot)"/>'
    # Status strip, bottom left.
    body += f'<path d="{chamfer(14,578,260,52,10)}" fill="url(#panel)" stroke="{LINE}" stroke-width="1"/>'
    # Page area, right.
    body += f'<path d="{chamfer(282,74,703,472,12)}" fill="url(#panel)" stroke="{LINE}" stroke-width="1"/>'
    # Command strip, bottom right.
    body += f'<path d="{chamfer(282,556,703,74,10)}" fill="url(#panel)" stroke="{LINE}" stroke-width="1"/>'
    # Outline and corner ticks.
    body += f'<path d="{chamfer(0.75,0.75,w-1.5,h-1.5,21.5)}" fill="none" stroke="{LINE2}" stroke-width="1.5"/>'
    for (x, y, dx) in ((30, h-6, 1), (w-30, h-6, -1)):
        body += f'<path d="M{x},{y} L{x+dx*60},{y}" stroke="#fff" stroke-opacity="0.25" stroke-width="2"/>'
    svg('cfgMainback.svg', w, h, body, defs)
mainback()

# ---------------------------------------------------------------- the mouse
# Top view, 300 × 400. Button hot spots, numbered as the button page lists them:
# 1 left, 2 right, 3 wheel click, 4 forward (front side button), 5 back (rear
# side button), 6 DPI +, 7 DPI -, 8 DPI switch (the pill behind the DPI pair).
def mouse_top():
    w, h = 300, 400
    defs = vgrad('shell', '#2b2e36', '#121317')
    defs += vgrad('btnL', '#353944', '#1d1f25')
    defs += '<radialGradient id="sheen" cx="0.35" cy="0.3" r="0.6"><stop offset="0" stop-color="#fff" stop-opacity="0.14"/><stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>'
    body = ''
    # Shadow
    body += '<ellipse cx="150" cy="385" rx="95" ry="10" fill="#000" fill-opacity="0.5"/>'
    shell = 'M150,22 C212,22 246,70 250,150 C254,230 246,300 226,342 C208,378 180,392 150,392 C120,392 92,378 74,342 C54,300 46,230 50,150 C54,70 88,22 150,22 Z'
    body += f'<path d="{shell}" fill="url(#shell)" stroke="#4b505c" stroke-width="2"/>'
    # Left and right buttons
    lb = 'M146,26 C100,28 62,58 55,140 L60,168 L146,168 Z'
    rb = 'M154,26 C200,28 238,58 245,140 L240,168 L154,168 Z'
    body += f'<path d="{lb}" fill="url(#btnL)" stroke="#0b0c0f" stroke-width="2"/>'
    body += f'<path d="{rb}" fill="url(#btnL)" stroke="#0b0c0f" stroke-width="2"/>'
    # Wheel
    body += '<rect x="138" y="56" width="24" height="56" rx="11" fill="#0b0c0f" stroke="#5d6370" stroke-width="2"/>'
    for yy in range(62, 108, 6):
        body += f'<path d="M142,{yy} L158,{yy}" stroke="#6b717d" stroke-width="1.5"/>'
    # DPI buttons
    body += '<rect x="140" y="122" width="20" height="14" rx="3" fill="#1d1f25" stroke="#6b717d" stroke-width="1.5"/>'
    body += '<rect x="140" y="142" width="20" height="14" rx="3" fill="#1d1f25" stroke="#6b717d" stroke-width="1.5"/>'
    body += '<path d="M146,131 L150,126 L154,131" fill="none" stroke="#aeb4c0" stroke-width="1.5"/>'
    body += '<path d="M146,147 L150,152 L154,147" fill="none" stroke="#aeb4c0" stroke-width="1.5"/>'
    # Side buttons on the left flank
    body += '<path d="M51,176 C46,190 46,206 49,222 L58,222 L58,176 Z" fill="#2a2d35" stroke="#6b717d" stroke-width="1.5"/>'
    body += '<path d="M49,228 C47,244 48,260 52,274 L60,274 L58,228 Z" fill="#2a2d35" stroke="#6b717d" stroke-width="1.5"/>'
    # DPI switch behind the DPI pair
    body += '<rect x="136" y="178" width="28" height="12" rx="6" fill="#1d1f25" stroke="#6b717d" stroke-width="1.5"/>'
    # Vents and emblem
    for i in range(4):
        body += f'<path d="M{110+i*4},{226+i*14} L{190-i*4},{226+i*14}" stroke="#000" stroke-opacity="0.45" stroke-width="3" stroke-linecap="round"/>'
    body += f'<g opacity="0.75">{emblem(150, 350, 16, "#aeb4c0")}</g>'
    body += f'<path d="{shell}" fill="url(#sheen)"/>'
    # Highlights: one per button, switched on by the renderer (@HLn@ = 1).
    hl = {
        1: lb, 2: rb,
        3: 'M138,67 A11,11 0 0 1 162,67 L162,101 A11,11 0 0 1 138,101 Z',
        4: 'M51,176 C46,190 46,206 49,222 L58,222 L58,176 Z',
        5: 'M49,228 C47,244 48,260 52,274 L60,274 L58,228 Z',
        6: 'M143,122 L157,122 Q160,122 160,125 L160,133 Q160,136 157,136 L143,136 Q140,136 140,133 L140,125 Q140,122 143,122 Z',
        7: 'M143,142 L157,142 Q160,142 160,145 L160,153 Q160,156 157,156 L143,156 Q140,156 140,153 L140,145 Q140,142 143,142 Z',
        8: 'M142,178 L158,178 A6,6 0 0 1 158,190 L142,190 A6,6 0 0 1 142,178 Z',
    }
    for n, d in hl.items():
        glow = ''.join(f'<path d="{d}" fill="none" stroke="#ffffff" stroke-opacity="{op}" stroke-width="{sw}" stroke-linejoin="round"/>' for sw, op in ((16, 0.05), (11, 0.08), (7, 0.12)))
        body += f'<g opacity="@HL{n}@">{glow}<path d="{d}" fill="#ffffff" fill-opacity="0.38" stroke="#ffffff" stroke-width="3" stroke-linejoin="round"/></g>'
    svg('mouse/mouse_top.svg', w, h, body, defs)
mouse_top()

# The light areas of the top view, white on transparent: the wheel's rim, the
# emblem and a strip round the rear of the shell. The main window tints it
# with the lighting effect's colours as a live preview.
def mouse_light():
    w, h = 300, 400
    wheel = '<rect x="137" y="55" width="26" height="58" rx="12" fill="none" stroke="#ffffff" stroke-width="{sw}" stroke-opacity="{op}"/>'
    emblem_ring = ' '.join(f'{150 + 19 * math.sin(math.radians(a)):.2f},{350 - 19 * math.cos(math.radians(a)):.2f}' for a in range(0, 360, 60))
    emblem = f'<polygon points="{emblem_ring}" fill="none" stroke="#ffffff" stroke-width="{{sw}}" stroke-opacity="{{op}}" stroke-linejoin="round"/>'
    strip = '<path d="M238,292 C232,328 216,358 194,374 C178,385 164,387 150,387 C136,387 122,385 106,374 C84,358 68,328 62,292" fill="none" stroke="#ffffff" stroke-width="{sw}" stroke-opacity="{op}" stroke-linecap="round"/>'
    body = ''
    for part in (wheel, emblem, strip):
        for sw, op in ((14, 0.10), (9, 0.22), (5, 0.55), (2.5, 1)):
            body += part.format(sw=sw, op=op)
    svg('mouse/mouse_light.svg', w, h, body)
mouse_light()

def mouse_side():
    w, h = 300, 400
    defs = vgrad('shell', '#2b2e36', '#121317')
    defs += '<radialGradient id="sheen" cx="0.4" cy="0.35" r="0.6"><stop offset="0" stop-color="#fff" stop-opacity="0.12"/><stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>'
    body = '<ellipse cx="150" cy="290" rx="135" ry="9" fill="#000" fill-opacity="0.5"/>'
    # Left flank of the mouse, nose to the left.
    shell = 'M20,276 C16,240 36,178 96,150 C150,126 220,132 262,170 C290,196 292,244 284,276 Z'
    # The wheel, drawn first so that the shell hides all but its top.
    body += '<circle cx="100" cy="156" r="14" fill="#1d1f25" stroke="#6b717d" stroke-width="2"/>'
    body += f'<path d="{shell}" fill="url(#shell)" stroke="#4b505c" stroke-width="2"/>'
    body += '<path d="M20,276 L284,276" stroke="#5d6370" stroke-width="3"/>'
    body += '<path d="M40,204 C80,178 120,168 160,168" fill="none" stroke="#0b0c0f" stroke-width="2"/>'
    body += '<path d="M86,214 C86,206 92,202 100,202 L140,202 C148,202 150,206 150,214 L150,222 C150,228 146,232 138,232 L98,232 C90,232 86,228 86,222 Z" fill="#2a2d35" stroke="#6b717d" stroke-width="2"/>'
    body += '<path d="M158,214 C158,206 162,202 170,202 L210,202 C218,202 222,206 222,214 L222,222 C222,228 218,232 210,232 L170,232 C162,232 158,228 158,222 Z" fill="#2a2d35" stroke="#6b717d" stroke-width="2"/>'
    # Grip panel with ribs along the lower flank.
    body += '<path d="M60,246 C100,240 200,240 262,248 L266,266 L44,266 Z" fill="#0f1013" stroke="#2a2d35" stroke-width="1.5"/>'
    for x in range(70, 260, 12):
        body += f'<path d="M{x},250 L{x-6},262" stroke="#3a3e48" stroke-width="2" stroke-linecap="round"/>'
    # The wheel showing above the nose and the cable port at the front.
    body += '<rect x="19" y="252" width="6" height="14" rx="2" fill="#0b0c0f" stroke="#5d6370" stroke-width="1.2"/>'
    # A light edge along the top of the shell.
    body += '<path d="M60,176 C110,146 190,140 250,170" fill="none" stroke="#fff" stroke-opacity="0.18" stroke-width="2" stroke-linecap="round"/>'
    body += f'<path d="{shell}" fill="url(#sheen)"/>'
    svg('mouse/mouse_side.svg', w, h, body, defs)
mouse_side()
print('ok')
