#!/usr/bin/env python3
"""Draws Sorvik's default skin "Sk_sv" into <product folder>/Sk_sv/: the image table, the main window's
control sections, the message box buttons and every fixed image the program loads by name.

Usage: make_sorvik_skin.py <product folder>

The main window is 652 x 456. The program itself fixes some positions the layout is built around:
the 40-pixel drag band, the web pane inset (7, 83, 7, 4), the process-list pane at y 266 (286 with
the page-file warning), the game-mode result texts at x 130-330 / y 149-214 with its percentage at
(75, 197), and the memory texts at y 187 from x 405 with its percentage at (356, 197).
"""

import math
import os
import shutil
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
import skin_art as A  # noqa: E402
from skin_art import Img  # noqa: E402

WIDTH, HEIGHT = 652, 456
HEADER = 84                      # title band and tabs; the content well starts here
WELL_RECT = (7, HEADER, 645, 452)
EMBLEM_SPEED = (80, 195)         # the two tool emblems of the network page
EMBLEM_REPAIR = (80, 372)
GAME_CIRCLE = (87, 205)          # centre of the game-mode circle (under its percentage)
MEMORY_CIRCLE = (368, 205)       # centre of the memory circle
CIRCLE_BOX = 76                  # circle images, shadow included
ANIMATION_FRAMES = 20            # the animation control cuts its strip into 20 frames


def at(x, y, img):
    """C-rect of an image placed at (x, y) at its own size."""
    return "%d,%d,%d,%d" % (x, y, x + img.w, y + img.h)


def box(x0, y0, x1, y1):
    return "%d,%d,%d,%d" % (x0, y0, x1, y1)


class Skin:
    def __init__(self, folder):
        self.folder = folder
        self.batch = A.Batch()
        self.table = A.ImageTable()
        self.sections = []

    def image(self, name, img):
        """Writes a fixed image and returns it."""
        return self.batch.add(os.path.join(self.folder, name), img)

    def numbered(self, name, img):
        """Writes an image listed in the image table; returns (number, image)."""
        self.image(name, img)
        return self.table.add(name), img

    def section(self, name, *keys):
        self.sections.append((name, list(keys)))


# --- pieces ---------------------------------------------------------------------------------------
def header_text(img, x, y, title, subtitle, glyph_name, width_title):
    img.draw(A.glyph(glyph_name, x, y + 2, 16, fg=A.ACCENT, bg=A.CARD))
    img.text(x + 21, y, title, 14, A.TEXT, bold=True)
    img.text(x + 21 + width_title + 10, y + 2, subtitle, 12, A.TEXT_SOFT)


def card(img, x0, y0, x1, y1):
    img.shadow(A.rrect(x0, y0, x1, y1, 6, fill=A.rgba("#2b5b87", 0.10)), (x0, y0, x1, y1), blur=2, dy=1)
    img.draw(A.rrect(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, 6, fill=A.CARD, stroke=A.CARD_EDGE))


def disc_shadow(img, opacity):
    c = CIRCLE_BOX / 2.0
    img.shadow(A.circle(c, c, 32, fill=A.rgba("#1c4a78", opacity)), (c - 33, c - 33, c + 33, c + 33),
               blur=2.5, dy=2)


def disc(top, bottom, glyph_name, glyph_size=30):
    """A round state icon: a soft-shadowed gradient disc with a white glyph, centred in the box."""
    img = Img(CIRCLE_BOX, CIRCLE_BOX)
    c = CIRCLE_BOX / 2.0
    disc_shadow(img, 0.28)
    img.draw(A.circle(c, c, 32, vgrad=(c - 32, c + 32, [(0, top), (1, bottom)])))
    img.draw(A.circle(c, c, 28.5, stroke=A.rgba("#ffffff", 0.35), width=1.2))
    img.draw(A.glyph(glyph_name, c - glyph_size / 2.0, c - glyph_size / 2.0, glyph_size, fg="#ffffff",
                     bg=bottom))
    return img


def busy_backdrop():
    """The white disc with its ring track, under the spinning arc and the percentage."""
    img = Img(CIRCLE_BOX, CIRCLE_BOX)
    c = CIRCLE_BOX / 2.0
    disc_shadow(img, 0.22)
    img.draw(A.circle(c, c, 32, vgrad=(c - 32, c + 32, [(0, "#ffffff"), (1, "#eef5fc")])))
    img.draw(A.circle(c, c, 27, stroke=A.TRACK, width=5))
    return img


def busy_ring_frame(angle):
    """One frame of the spinning arc: a bright head with a fading tail, on the backdrop's track."""
    img = Img(CIRCLE_BOX, CIRCLE_BOX)
    c = CIRCLE_BOX / 2.0
    steps = 9
    for i in range(steps):  # tail first, head last
        t = (i + 1) / float(steps)
        a0 = angle - 120 + i * (120.0 / steps)
        colour = A.rgba(A.ACCENT, 0.10 + 0.90 * t * t)
        img.draw(A.arc(c, c, 27, a0, a0 + 120.0 / steps + 1.5, colour, 5, cap="butt"))
    head = math.radians(angle + 1.5)
    img.draw(A.circle(c + 27 * math.sin(head), c - 27 * math.cos(head), 2.5, fill=A.ACCENT))
    return img


def busy_ring_strip():
    # The program shows frames 1 to 19 in turn; frame 0 repeats frame 1 so every frame is sound.
    angles = [0] + [(k - 1) * 360.0 / 19 for k in range(1, ANIMATION_FRAMES)]
    return A.hstrip([busy_ring_frame(a) for a in angles])


def text_image(lines, width, height):
    """Lines of text [(x, y, text, size, colour)] on a transparent image."""
    img = Img(width, height)
    for x, y, text, size, colour in lines:
        img.text(x, y, text, size, colour)
    return img


def tab_item(caption, glyph_name):
    """Three frames of a tab: normal and hot on the blue band, selected in the well's colour so that
    it joins the content below."""
    w, h = 104, 37
    frames = []
    for state in ("normal", "hot", "selected"):
        f = Img(w, h)
        if state == "hot":
            f.draw(A.rrect(1, 2, w - 2, h + 4, 5, fill=A.rgba("#ffffff", 0.16)))
        if state == "selected":
            f.draw(A.rrect(1, 1, w - 2, h + 6, 5, fill=A.WELL))
            f.draw(A.rrect(1.5, 1.5, w - 2.5, h + 6, 5, fill=A.WELL, stroke=A.rgba("#ffffff", 0.9)))
            f.draw(A.rect(2, h - 4, w - 3, h - 1, fill=A.WELL))
        fg = A.ACCENT if state == "selected" else "#ffffff"
        text_w = 14 * len(caption)
        x = (w - (18 + 6 + text_w)) // 2
        f.draw(A.glyph(glyph_name, x, 10, 18, fg=fg, bg=A.WELL if state == "selected" else A.HEADER_BOTTOM))
        f.text(x + 24, 9, caption, 14, A.ACCENT_DARK if state == "selected" else "#ffffff",
               bold=(state == "selected"))
        frames.append(f)
    return A.hstrip(frames)


def state_mark(glyph_name, top, bottom, size=30):
    """A small badge with a white rim, laid over an emblem's lower right."""
    img = Img(size, size)
    c = size / 2.0
    img.draw(A.circle(c, c, c - 0.5, fill="#ffffff"))
    img.paste(A.badge(size - 4, glyph_name, top, bottom, 0.58), 2, 2)
    return img


# --- the main window --------------------------------------------------------------------------------
def window_background():
    img = Img(WIDTH, HEIGHT)
    img.opaque = True  # the gradient covers it all
    # square corners: the window's own rounded region cuts them
    img.draw(A.rect(0, 0, WIDTH - 1, HEIGHT - 1,
                    vgrad=(0, HEIGHT, [(0, A.HEADER_TOP), (0.18, A.HEADER_BOTTOM), (1, "#2266b0")])))
    # light shapes in the right of the title band
    img.draw(A.circle(600, -40, 120, fill=A.rgba("#ffffff", 0.05)),
             A.circle(520, 10, 70, fill=A.rgba("#ffffff", 0.04)))
    img.draw(A.line(0, HEADER - 0.5, WIDTH, HEADER - 0.5, A.HEADER_EDGE))
    img.paste(A.logo(24, *A.SORVIK_LOGO), 13, 9)
    img.text(44, 9, "Sorvik", 17, "#ffffff", bold=True)
    img.text(108, 14, "网页游戏加速专家", 12, A.rgba("#ffffff", 0.78))
    x0, y0, x1, y1 = WELL_RECT
    img.draw(A.rect(x0, y0, x1 - 1, y1 - 1, fill=A.WELL))
    return img


def page_background(cards, headers, dividers=(), bottom=WELL_RECT[3]):
    """A page's content well down to `bottom`: white cards, section headers underlined, vertical
    dividers; all given in window coordinates. Below `bottom` the window background's well shows."""
    x0, y0, x1, _ = WELL_RECT
    img = Img(x1 - x0, bottom - y0, A.WELL)
    img.opaque = True
    for left, top, right, bottom in cards:
        card(img, left - x0, top - y0, right - x0, bottom - y0)
    for x, y, right, title, subtitle, glyph_name in headers:
        header_text(img, x - x0, y - y0, title, subtitle, glyph_name, 56)
        img.draw(A.line(x - x0, y + 25.5 - y0, right - x0, y + 25.5 - y0, A.DIVIDER))
    for x, top, bottom in dividers:
        img.draw(A.line(x + 0.5 - x0, top - y0, x + 0.5 - x0, bottom - y0, A.DIVIDER))
    return img


def page0_background():
    return page_background(
        cards=[(17, 94, 635, 258)],
        headers=[(26, 101, 318, "游戏模式", "关闭闲置的系统服务，让游戏独享资源", "bolt"),
                 (342, 101, 626, "内存整理", "释放闲置内存，缓解游戏卡顿", "memory")],
        dividers=[(330, 108, 246)],
        bottom=265)  # just below the card's shadow: the rest of the well is plain


def page12_background():
    img = page_background(
        cards=[(17, 94, 635, 262), (17, 272, 635, 442)],
        headers=[(26, 101, 626, "网络测速", "测试当前网络的下载速度，看看是否适合玩游戏", "gauge"),
                 (26, 279, 626, "游戏修复", "清理浏览器缓存和游戏缓存，解决游戏白屏、加载缓慢", "wrench")])
    ox, oy = WELL_RECT[0], WELL_RECT[1]
    # the emblems of both tools; the repair's state marks sit on its emblem
    for name, (cx, cy), dy in (("gauge", EMBLEM_SPEED, -2), ("wrench", EMBLEM_REPAIR, 0)):
        cx, cy = cx - ox, cy - oy
        img.draw(A.circle(cx, cy, 40, fill="#eaf3fc"), A.circle(cx, cy, 40, stroke="#d6e7f7", width=1))
        img.draw(A.glyph(name, cx - 26, cy - 26 + dy, 52, fg=A.ACCENT, bg="#eaf3fc"))
    return img


def calibration(width, knob_inset):
    """The gauge's scale: coloured bands for the four ratings and the Mbit/s marks under them."""
    img = Img(width, 30)
    span = width - 2 * knob_inset

    def x_of(v):  # gauge position (0-120) to x
        return knob_inset + span * v / 120.0
    zones = [(0, 50, "#f08a6c"), (50, 60, "#f5bf4f"), (60, 85, "#6cc788"), (85, 120, "#4ea3ea")]
    for a, b, colour in zones:
        img.draw(A.rect(x_of(a) + (0 if a == 0 else 1), 2, x_of(b) - 1, 5, fill=colour))
    for v, mark in ((0, "0"), (50, "1M"), (60, "2M"), (85, "4M"), (110, "8M")):
        x = int(round(x_of(v)))
        img.draw(A.line(x + 0.5, 6, x + 0.5, 9, "#b3c4d4"))
        if v == 0:
            img.text(x, 11, mark, 11, A.TEXT_SOFT)
        else:
            img.text(x - 15, 11, mark, 11, A.TEXT_SOFT, box=(30, 16), align="center")
    return img


def build_main_window(skin):
    s = skin
    n_bk, bk = s.numbered("window_bk.png", window_background())
    s.section("WindowBk", ("Image", n_bk), ("Style", 0), ("rect", at(0, 0, bk)))
    n_bk3, bk3 = s.numbered("page_game_bk.png", page0_background())
    s.section("WindowBk3", ("Image", n_bk3), ("Style", 0), ("rect", at(WELL_RECT[0], WELL_RECT[1], bk3)))
    n_bk2, bk2 = s.numbered("page_net_bk.png", page12_background())
    s.section("WindowBk2", ("Image", n_bk2), ("Style", 0), ("rect", at(WELL_RECT[0], WELL_RECT[1], bk2)))

    n_close, _ = s.numbered("sys_close.png", A.close_button())
    n_min, _ = s.numbered("sys_min.png", A.minimize_button())
    s.section("SysCloseBtn", ("Image", n_close), ("TipText", "关闭"), ("rect", "-36,0,-6,24"))
    s.section("SysMinBtn", ("Image", n_min), ("TipText", "最小化"), ("rect", "-66,0,-36,24"))

    tabs = [("tab_game.png", "游戏加速", "gamepad"), ("tab_net.png", "网络测速", "gauge"),
            ("tab_tools.png", "游戏工具", "apps")]
    keys = [("ItemCount", len(tabs))]
    for i, (name, caption, g) in enumerate(tabs):
        n, _ = s.numbered(name, tab_item(caption, g))
        keys.append(("Image_Item%d" % (i + 1), n))
    keys += [("ItemDistance", 4), ("Style", 0), ("Left", 12), ("Top", HEADER - 37),
             ("Right", 12 + 3 * 104 + 2 * 4), ("Bottom", HEADER)]
    s.section("MainTabUI", *keys)

    build_game_page(s)
    build_network_page(s)


def build_game_page(s):
    gx, gy = GAME_CIRCLE[0] - CIRCLE_BOX // 2, GAME_CIRCLE[1] - CIRCLE_BOX // 2
    mx, my = MEMORY_CIRCLE[0] - CIRCLE_BOX // 2, MEMORY_CIRCLE[1] - CIRCLE_BOX // 2

    def picture(section, name, img, x, y):
        n, img = s.numbered(name, img)
        s.section(section, ("Image", n), ("Style", 0), ("rect", at(x, y, img)))

    # Each tool's disc is two pictures: the one shown when idle (BoostIcon1, BoostIcon2) and the one shown
    # once the tool has run (BoostIcon5, BoostIcon6). Both show the same disc, so the page looks right
    # whichever of the two a state leaves visible; the texts and buttons tell the states apart.
    for idle, done, name, glyph_name, size, (x, y) in (
            ("BoostIcon1", "BoostIcon5", "boost_disc.png", "bolt", 30, (gx, gy)),
            ("BoostIcon2", "BoostIcon6", "memory_disc.png", "memory", 32, (mx, my))):
        n, img = s.numbered(name, disc(*A.BLUE_BADGE, glyph_name=glyph_name, glyph_size=size))
        for section in (idle, done):
            s.section(section, ("Image", n), ("Style", 0), ("rect", at(x, y, img)))
    picture("BoostIcon3", "boost_idle_text.png", text_image([(0, 0, "可优化的系统服务（项）", 12, A.TEXT)], 150, 18),
            167, 152)
    picture("BoostIcon4", "memory_idle_text.png", text_image([
        (0, 0, "一键释放被闲置程序占用的内存", 12, A.TEXT),
        (0, 26, "建议在游戏卡顿时使用", 12, A.TEXT_SOFT)], 220, 44), 405, 152)

    # while a sweep or a clean-up runs: the ring backdrop, the spinning arc, a hint under the status
    n_back, _ = s.numbered("busy_ring_bk.png", busy_backdrop())
    n_ring, ring = s.numbered("busy_ring.png", busy_ring_strip())
    frame_w = ring.w // ANIMATION_FRAMES
    for backdrop, animation, (x, y) in (("ChaosCircle1", "ChaosCircle2", (gx, gy)),
                                        ("ChaosCircle21", "ChaosCircle22", (mx, my))):
        bottom = y + CIRCLE_BOX
        s.section(backdrop, ("Image", n_back), ("Style", 0), ("rect", box(x, y, x + CIRCLE_BOX, bottom)))
        s.section(animation, ("Image", n_ring), ("Style", 0), ("rect", box(x, y, x + frame_w, bottom)))
    picture("ChaosCircle3", "boost_busy_text.png",
            text_image([(0, 0, "请稍候，正在处理系统服务", 11, A.TEXT_SOFT)], 150, 16), 173, 162)
    picture("ChaosCircle23", "memory_busy_text.png",
            text_image([(0, 0, "请稍候，正在释放内存", 11, A.TEXT_SOFT)], 150, 16), 488, 162)

    # the three buttons; the program draws their captions bold in its own colour
    n_big, _ = s.numbered("button_big.png", A.button_strip(120, 32))
    for section, caption, rect in (("BeginBoostBtn", "开启游戏模式", box(167, 216, 287, 248)),
                                   ("CancelBoostBtn", "退出游戏模式", box(167, 216, 287, 248)),
                                   ("BeginMemoryBtn", "立即整理", box(405, 216, 525, 248))):
        s.section(section, ("Text", caption), ("TextColor", "85,84,92"), ("Image", n_big), ("rect", rect))

    # the page-file warning strip above the process list
    strip = Img(638, 20)
    strip.draw(A.rect(0, 0, 637, 19, fill=A.WARN_BAND), A.line(0, 0.5, 638, 0.5, A.WARN_EDGE),
               A.line(0, 19.5, 638, 19.5, A.WARN_EDGE))
    picture("VirtualMemory", "pagefile_strip.png", strip, 7, 266)
    note = Img(330, 20)
    note.draw(A.glyph("warning", 2, 2, 16, fg=A.AMBER, bg=A.WARN_BAND))
    note.text(24, 3, "您的虚拟内存设置不合理，可能导致游戏卡顿", 12, "#8a5a12")
    picture("VirtualMemoryWarning", "pagefile_note.png", note, 14, 266)
    s.section("VirtualMemoryLink", ("Text", "立即优化"), ("LinkColor", A.ini_rgb(A.ACCENT)),
              ("ActiveLinkColor", A.ini_rgb(A.ACCENT_DARK)), ("Style", 1), ("rect", "296,270"))


def build_network_page(s):
    def picture(section, name, img, x, y):
        n, img = s.numbered(name, img)
        s.section(section, ("Image", n), ("Style", 0), ("rect", at(x, y, img)))

    def text(section, x, y, caption="", colour=A.TEXT, size=12):
        keys = [("Text", caption)] if caption else []
        s.section(section, *(keys + [("TextColor", A.ini_rgb(colour)), ("FontSize", size),
                                     ("rect", "%d,%d" % (x, y))]))

    col = 150            # left edge of the text column of both cards
    col_end = 470
    # speed test while it samples: status line, the running speed on its panel, the sampling bar
    text("TestNetWorkSpeedStatic", col, 140, "正在自动测试网速,请稍后...", A.STATUS)
    panel = Img(col_end - col, 52)
    panel.draw(A.rrect(0.5, 0.5, panel.w - 0.5, panel.h - 0.5, 6, fill="#f3f8fd", stroke="#d9e7f4"))
    panel.text(14, 18, "实时速度", 11, A.TEXT_SOFT)
    picture("NetWorkSpeedBk", "speed_panel.png", panel, col, 162)
    text("NetWorkSpeedStatic", col + 76, 175, "0KB/秒", A.ACCENT, 22)
    n_track, track = s.numbered("bar_track.png", A.bar_track(10))
    n_fill, _ = s.numbered("bar_fill.png", A.bar_fill(7))
    s.section("NetWorkSpeedProgress1", ("ImageBk", n_track), ("Image", n_fill), ("ImageHeader", 0),
              ("rect", box(col, 228, col_end, 228 + track.h)))
    # result: the gauge with its knob over the scale, then the bandwidth line
    n_gtrack, gtrack = s.numbered("gauge_track.png", A.bar_track(12))
    n_gfill, _ = s.numbered("gauge_fill.png", A.bar_fill(9))
    n_knob, knob = s.numbered("gauge_knob.png", A.bar_knob(16))
    s.section("NetWorkSpeedProgress2", ("ImageBk", n_gtrack), ("Image", n_gfill), ("ImageHeader", n_knob),
              ("rect", box(col, 170, col_end, 170 + gtrack.h)))
    picture("Calibration", "gauge_scale.png", calibration(col_end - col, 1), col, 184)
    text("BandWidth", col, 228, "您当前的网速带宽在", A.TEXT)
    text("BandWidthText", 506, 222, "测速结果仅供参考", A.TEXT_SOFT)
    # after a cancel
    cancelled = A.badge(28, "warning", *A.AMBER_BADGE, glyph_ratio=0.58)
    picture("SpeedFailedWarnIcon", "speed_cancelled.png", cancelled, col, 166)
    text("TestNetWorkSpeedStatic2", col + 38, 174, "网速测试已取消，可点击“重新测试”再测一次。", A.TEXT)
    n_btn, _ = s.numbered("button_mid.png", A.button_strip(110, 30))
    for section, caption in (("CancelSpeedBtn", "取消测试"), ("RestartSpeedBtn", "重新测试"),
                             ("SpeedFailedBtn", "重新测试")):
        s.section(section, ("Text", caption), ("TextColor", A.ini_rgb(A.TEXT)), ("Image", n_btn),
                  ("rect", box(506, 181, 616, 211)))

    # game repair: the idle picture is its invitation; done and cancelled are marks on the emblem
    picture("RepairIcon", "repair_idle.png",
            text_image([(0, 0, "游戏加载缓慢、白屏或报错时，试试一键修复", 12, A.TEXT)], 260, 18), col, 324)
    mark_x, mark_y = EMBLEM_REPAIR[0] + 14, EMBLEM_REPAIR[1] + 14
    picture("SucceedIcon", "repair_done.png", state_mark("check", *A.GREEN_BADGE), mark_x, mark_y)
    picture("WarnIcon", "repair_cancelled.png", state_mark("warning", *A.AMBER_BADGE), mark_x, mark_y)
    text("RepairSateStatic", col, 324, "正在清理浏览器和游戏缓存，请稍候...", A.STATUS)
    text("RepairCompleteStatic", col, 324, "修复完成！浏览器和游戏缓存已清理干净。", A.GREEN_DARK)
    text("RepairCancelStatic", col, 324, "游戏修复已取消。", A.TEXT)
    s.section("RepairProgressBarCtrl", ("ImageBk", n_track), ("Image", n_fill), ("ImageHeader", 0),
              ("rect", box(col, 350, col_end, 350 + track.h)))
    # feedback under the repair button (each piece placed on its own, whatever the font measures)
    text("FeedBackStatic", 506, 392, "修复后仍有问题？", A.TEXT_SOFT)
    link = [("LinkColor", A.ini_rgb(A.ACCENT)), ("ActiveLinkColor", A.ini_rgb(A.ACCENT_DARK)), ("Style", 1)]
    s.section("RepairSateLink", *([("Text", "告诉我们")] + link + [("rect", "506,412")]))
    s.section("FlashLink", *([("Text", "游戏画面无法显示？点此安装最新的Flash插件")] + link
                             + [("rect", "%d,400" % col)]))
    for section, caption in (("BeginRepairBtn", "开始修复"), ("EndRepairBtn", "取消修复"),
                             ("ReRepairBtn", "重新修复")):
        s.section(section, ("Text", caption), ("TextColor", A.ini_rgb(A.TEXT)), ("Image", n_btn),
                  ("rect", box(506, 350, 616, 380)))


# --- the result bars, the message box, the page-file dialogs, the process list's button ------------
def result_bar(top, bottom):
    img = Img(80, 10)  # stretched to 40-99 pixels by the program; wide, so the rounded ends stay small
    img.draw(A.rrect(0, 0, 79, 9, 3, vgrad=(0, 10, [(0, top), (1, bottom)])))
    return img


def dialog_background(w, h, title_h, bar_top):
    """Layered dialog face: rounded card, blue title band with the mark, light button bar."""
    img = Img(w, h)
    img.draw(A.rrect(0, 0, w - 1, h - 1, 6, fill=A.CARD))
    img.draw(A.rrect(0, 0, w - 1, title_h + 8, 6,
                     vgrad=(0, title_h, [(0, A.HEADER_TOP), (1, A.HEADER_BOTTOM)])),
             A.rect(0, title_h, w - 1, title_h + 8, fill=A.CARD))
    img.draw(A.rect(1, bar_top, w - 2, h - 8, fill=A.WELL),
             A.rrect(1, h - 14, w - 2, h - 2, 5, fill=A.WELL),
             A.line(1, bar_top + 0.5, w - 1, bar_top + 0.5, A.CARD_EDGE))
    img.draw(A.rrect(0.5, 0.5, w - 1.5, h - 1.5, 6, stroke="#3f7fbf"))
    mark = (title_h - 18) // 2
    img.paste(A.logo(18, *A.SORVIK_LOGO), 10, mark)
    img.text(34, mark, "Sorvik", 13, "#ffffff", bold=True)
    return img


def radio_strip(size=16):
    """select.png: unchecked normal, hover, disabled, then checked normal, hover, disabled."""
    frames = []
    c = size / 2.0
    for checked in (False, True):
        for state in ("normal", "hover", "disabled"):
            f = Img(size, size)
            edge = {"normal": "#9fb6cb", "hover": A.ACCENT, "disabled": "#cfd7de"}[state]
            fill = "#f3f5f7" if state == "disabled" else "#ffffff"
            if checked and state != "disabled":
                edge = A.ACCENT
            f.draw(A.circle(c, c, c - 1, fill=fill, stroke=edge, width=1.2))
            if checked:
                dot = "#b9c4ce" if state == "disabled" else (A.ACCENT if state == "normal" else "#3f9ce8")
                f.draw(A.circle(c, c, c - 4.5, fill=dot))
            frames.append(f)
    return A.hstrip(frames)


def end_button():
    frames = []
    looks = {"normal": ("#ffffff", "#f3f6f9", "#d3b9b8"), "hover": ("#fff6f5", "#fde6e4", "#e2837e"),
             "pressed": ("#fbdedb", "#fdeceb", "#cf5c57")}
    for state in ("normal", "hover", "pressed"):
        top, bottom, edge = looks[state]
        f = Img(65, 22)
        f.draw(A.rrect(0.5, 0.5, 64.5, 21.5, 4, stroke=edge, vgrad=(0, 22, [(0, top), (1, bottom)])))
        f.text(0, 3, "结束进程", 12, A.RED, box=(65, 16), align="center")
        frames.append(f)
    return A.hstrip(frames)


def reboot_text():
    img = Img(340, 150)
    img.paste(A.badge(56, "warning", *A.AMBER_BADGE, glyph_ratio=0.5), 0, 0)
    img.text(70, 4, "虚拟内存设置已修改", 15, A.TEXT, bold=True)
    img.text(70, 36, "新的设置需要重新启动计算机后才能生效。", 13, A.TEXT)
    img.text(70, 58, "是否立即重启计算机？", 13, A.TEXT)
    img.text(70, 92, "重启前请保存好正在编辑的文档。", 12, A.TEXT_SOFT)
    return img


def build_fixed_images(s):
    s.image("Strip_1.png", result_bar("#a9bccd", "#8aa1b6"))
    s.image("Strip_2.png", result_bar("#5db3f5", "#1b85db"))
    # message box: 415 x 272; text box (60, 100)-(355, 200); icons centred at y 50
    s.image("varniotipbg.png", dialog_background(415, 272, 34, 214))
    s.image("question_icon.png", A.badge(44, "question", *A.BLUE_BADGE, glyph_ratio=0.62))
    s.image("warning_big_icon.png", A.badge(44, "warning", *A.AMBER_BADGE, glyph_ratio=0.56))
    s.image("common_button_bg.png", A.button_strip(72, 26, ("normal", "hover", "pressed")))
    # page-file dialog and reboot prompt: 372 x 282, drag band 30, buttons at y 240
    s.image("win_bg.png", dialog_background(372, 282, 30, 226))
    s.image("close.png", A.close_button(28, 22))
    s.image("warning_icon1.png", A.badge(56, "warning", *A.AMBER_BADGE, glyph_ratio=0.5))
    s.image("select.png", radio_strip())
    s.image("reboot_text.png", reboot_text())
    s.image("end_button.png", end_button())


def main():
    product = sys.argv[1]
    folder = os.path.join(product, "Sk_sv")
    shutil.rmtree(folder, ignore_errors=True)  # the folder is wholly generated: no stale images
    os.makedirs(folder)
    skin = Skin(folder)
    build_main_window(skin)
    build_fixed_images(skin)
    skin.batch.run()
    skin.table.write(os.path.join(folder, "ImageRes.ini"),
                     ["Sorvik's image table: the images the main window's controls refer to by number."])
    A.write_ini(os.path.join(folder, "varniosorvik.ini"),
                ["Sorvik's main window: one section per control (652 x 456 window).",
                 "Pictures: Image (number in ImageRes.ini), Style, rect;",
                 "buttons: Text, TextColor, Image, rect;",
                 "texts and links: Text, TextColor/LinkColor, FontSize, rect (left,top; sized to the text)."],
                skin.sections)
    A.write_ini(os.path.join(folder, "VarnioTip.ini"),
                ["Buttons of Sorvik's message box (background varniotipbg.png, 415 x 272).",
                 "Image 1 is common_button_bg.png; the box moves them down and OK right when it needs to."],
                [("OKBtn", [("Text", "确定"), ("TextColor", A.ini_rgb(A.TEXT)), ("Image", 1),
                            ("rect", box(126, 200, 198, 226))]),
                 ("CancelBtn", [("Text", "取消"), ("TextColor", A.ini_rgb(A.TEXT)), ("Image", 1),
                                ("rect", box(216, 200, 288, 226))])])


if __name__ == "__main__":
    main()
