#!/usr/bin/env python3
"""Draws Tavisk's default skin into <product folder>/Skin/Chrome/Movrel/: the image table, the frame
settings shared by every dialog, each dialog's controls and panels, and the progress window's busy
animation "color_1.png" to "color_5.png".

Usage: make_updater_skin.py <product folder>

Every dialog is 366 x 275 and its client area is the whole window: a 32-pixel title band drawn from
the top strip, one-pixel sides, a light button bar along the bottom.
"""

import os
import shutil
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
import skin_art as A  # noqa: E402
from skin_art import Img  # noqa: E402

WIDTH, HEIGHT = 366, 275
TITLE = 32
EDGE = "#4a88c8"                 # the frame's outline
BAR_TOP, BAR_BOTTOM = 224, 270   # the button bar panel
BUTTON_W, BUTTON_H = 76, 26
BUTTON_Y = 234


def top_strip():
    """Title band with rounded top corners; fully transparent corner pixels are cut from the region."""
    img = Img(40, TITLE)
    img.draw(A.rrect(0, 0, 39, TITLE + 8, 5, vgrad=(0, TITLE, [(0, A.HEADER_TOP), (1, A.HEADER_BOTTOM)])))
    img.draw(A.line(4, 0.5, 36, 0.5, A.rgba("#ffffff", 0.25)))
    return img


def bottom_strip():
    img = Img(40, 5)
    img.draw(A.rrect(0.5, -8, 39.5, 4.5, 4, fill=A.WELL, stroke=EDGE))
    return img


def side_strip():
    return Img(1, 8, EDGE)


def button_bar():
    img = Img(WIDTH - 2, BAR_BOTTOM - BAR_TOP, A.WELL)
    img.draw(A.line(0, 0.5, WIDTH - 2, 0.5, A.CARD_EDGE))
    return img


def notes_frame(w, h):
    """Frame around the release notes; the web pane covers all but its rim."""
    img = Img(w, h)
    img.draw(A.rrect(0.5, 0.5, w - 0.5, h - 0.5, 4, fill="#f7fafd", stroke=A.CARD_EDGE))
    img.draw(A.rect(5, 10, w - 6, h - 6, fill="#ffffff"))
    return img


def busy_frame(head):
    """One of the five busy frames: a row of dots with a moving bright head, and a reassurance."""
    img = Img(WIDTH - 20, 18)
    for i in range(5):
        behind = (head - i) % 5
        colour = [A.ACCENT, "#5aa8ea", "#9ccaf2", "#c9e1f7", "#c9e1f7"][behind]
        img.draw(A.circle(17 + 11 * i, 9, 3.2 if behind == 0 else 2.7, fill=colour))
    img.text(78, 1, "下载完成后将自动安装新版本", 11, A.TEXT_SOFT)
    return img


def success_panel():
    img = Img(300, 70)
    img.paste(A.badge(56, "check", *A.GREEN_BADGE, glyph_ratio=0.52), 0, 0)
    img.text(72, 6, "升级成功！", 16, A.TEXT, bold=True)
    img.text(72, 34, "新版本已安装完成，即将为您启动。", 12, A.TEXT_SOFT)
    return img


def failure_heading():
    img = Img(240, 20)
    img.text(0, 0, "升级未能完成", 14, A.TEXT, bold=True)
    return img


def main():
    folder = os.path.join(sys.argv[1], "Skin", "Chrome", "Movrel")
    shutil.rmtree(folder, ignore_errors=True)  # the folder is wholly generated: no stale images
    os.makedirs(folder)
    batch = A.Batch()
    table = A.ImageTable()

    def numbered(name, img):
        batch.add(os.path.join(folder, name), img)
        return table.add(name)

    def panel(name, img):
        batch.add(os.path.join(folder, name), img)
        return name

    n_top = numbered("frame_top.png", top_strip())
    n_bottom = numbered("frame_bottom.png", bottom_strip())
    n_left = numbered("frame_left.png", side_strip())
    n_right = numbered("frame_right.png", side_strip())
    n_close = numbered("frame_close.png", A.close_button(28, 22))
    n_min = numbered("frame_min.png", A.minimize_button(28, 22))
    n_button = numbered("button.png", A.button_strip(BUTTON_W, BUTTON_H))
    n_logo = numbered("logo.png", A.logo(40, *A.TAVISK_LOGO))
    n_latest = numbered("up_to_date.png", A.badge(56, "check", *A.GREEN_BADGE, glyph_ratio=0.52))
    n_failed = numbered("failed.png", A.badge(48, "warning", *A.AMBER_BADGE, glyph_ratio=0.5))
    n_notes = numbered("notes_frame.png", notes_frame(342, 124))
    n_track = numbered("bar_track.png", A.bar_track(12))
    n_fill = numbered("bar_fill.png", A.bar_fill(9))
    bar = panel("button_bar.png", button_bar())
    done = panel("update_suc_panel.png", success_panel())
    heading = panel("failed_heading.png", failure_heading())
    for k in range(5):
        batch.add(os.path.join(folder, "color_%d.png" % (k + 1)), busy_frame(k))
    batch.run()

    table.write(os.path.join(folder, "ImageRes.ini"),
                ["Tavisk's image table: the images the frame and the dialogs' controls refer to by number."])

    def button(caption, x):
        return [("Text", caption), ("TextColor", A.ini_rgb(A.TEXT)), ("Image", n_button),
                ("rect", "%d,%d,%d,%d" % (x, BUTTON_Y, x + BUTTON_W, BUTTON_Y + BUTTON_H))]

    def picture(number, x, y, size):
        return [("Image", number), ("Style", 0), ("rect", "%d,%d,%d,%d" % (x, y, x + size[0], y + size[1]))]

    def text(x, y, caption="", colour=A.TEXT, size=12):
        keys = [("Text", caption)] if caption else []
        return keys + [("TextColor", A.ini_rgb(colour)), ("FontSize", size), ("rect", "%d,%d" % (x, y))]

    link = [("Text", "访问官方网站"), ("LinkColor", A.ini_rgb(A.ACCENT)),
            ("ActiveLinkColor", A.ini_rgb(A.ACCENT_DARK)), ("Style", 1), ("rect", "16,240")]
    right, left_of_right = WIDTH - 10 - BUTTON_W, WIDTH - 18 - 2 * BUTTON_W

    def panels(*extra):
        """The button bar, then any extra (top, bottom, left, right, file) panels."""
        keys = [("Count", 1 + len(extra)),
                ("panel_1", "%d, %d, 1, %d" % (BAR_TOP, BAR_BOTTOM, WIDTH - 1)), ("panel_draw_1", 0),
                ("panel_image_1", bar)]
        for i, (t, b, l, r, name) in enumerate(extra, start=2):
            keys += [("panel_%d" % i, "%d, %d, %d, %d" % (t, b, l, r)), ("panel_draw_%d" % i, 0),
                     ("panel_image_%d" % i, name)]
        return ("WindowPanel", keys)

    frame = ("Window", [
        ("Mask_Color", "255, 0, 255"),
        ("Image_TopFrame", n_top), ("Image_BottomFrame", n_bottom),
        ("Image_LeftFrame", n_left), ("Image_RightFrame", n_right),
        ("Image_CloseBut", n_close), ("Image_MinBut", n_min),
        ("Top_LeftOffset", 10), ("Top_RightOffset", 10),
        ("Bottom_LeftOffset", 10), ("Bottom_RightOffset", 10),
        ("Close_Point", "-5,5"), ("Min_Point", "-33,5"), ("cutRound_Size", "1,1"),
        ("Icon_Point", "10,8"), ("Icon_Size", "16,16"),
        ("CaptionText_Rect", "0, %d, 32, 300" % TITLE), ("CaptionText_Color", "255, 255, 255"),
        ("WindowBk_Color", "255, 255, 255"), ("MinTrac_Size", "%d,%d" % (WIDTH, HEIGHT)),
        ("TopClipHeight_Maximized", 0)])

    A.write_ini(os.path.join(folder, "mainform.ini"),
                ["Tavisk's frame (section Window, shared by every dialog), the panels of the update prompt,",
                 "the up-to-date notice and the progress window, and the update prompt's controls.",
                 "Dialogs are 366 x 275; panel rectangles read top, bottom, left, right."],
                [frame, panels(),
                 ("Logo", picture(n_logo, 18, 44, (40, 40))),
                 ("VersionInfo", text(68, 46, colour=A.TEXT, size=14)),
                 ("FileSizeText", text(68, 68, colour=A.TEXT_SOFT)),
                 ("WebBk", picture(n_notes, 12, 94, (342, 124))),
                 ("VisOffWebLink", link),
                 ("UpdateBtn", button("立即升级", left_of_right)),
                 ("DelayBtn", button("以后再说", right))])
    A.write_ini(os.path.join(folder, "nomovreldlg.ini"),
                ["Controls of Tavisk's up-to-date notice (frame and panels in mainform.ini)."],
                [("OKBtn", button("确定", right)),
                 ("StaticText", text(112, 106, "您使用的已经是最新版本！", A.TEXT, 14)),
                 ("Logo", picture(n_latest, 40, 96, (56, 56))),
                 ("VisOffWebLink", link),
                 ("VersionInfo", text(112, 132, colour=A.TEXT_SOFT))])
    A.write_ini(os.path.join(folder, "movreldlg.ini"),
                ["Controls of Tavisk's progress window (frame and panels in mainform.ini); its busy",
                 "animation color_1.png to color_5.png lies beside this file and is drawn at (10, 200)."],
                [("CanelBtn", button("取消", right)),
                 ("ProgressBar", [("ImageBk", n_track), ("Image", n_fill), ("ImageHeader", 0),
                                  ("rect", "24,122,342,134")]),
                 ("ProgressTipText", text(24, 96, "正在下载升级文件，请稍候...", A.TEXT)),
                 ("ProgressText", text(310, 96, colour=A.ACCENT))])
    A.write_ini(os.path.join(folder, "downMandlg.ini"),
                ["Tavisk's manual download dialog: its panels and its controls."],
                [panels((84, 104, 104, 344, heading)),
                 ("DownManBtn", button("手动下载", right)),
                 ("StaticText", text(104, 112, "请点击“手动下载”，从官网获取最新版本。", A.TEXT)),
                 ("Logo", picture(n_failed, 40, 92, (48, 48)))])
    A.write_ini(os.path.join(folder, "update_suc.ini"),
                ["Tavisk's success notice: its panels (the message is drawn into a panel) and its button."],
                [panels((94, 164, 40, 340, done)),
                 ("OKBtn", button("确定", right))])


if __name__ == "__main__":
    main()
