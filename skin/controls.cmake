# Skin files, the image table and the windowless controls (paths relative to skin/).
list(APPEND SKIN_CONTROL_SOURCES
  files/skin_paths.cpp
  files/ini_values.cpp
  files/ini_snapshot.cpp
  files/placement.cpp
  files/image_list.cpp
  files/image_decode.cpp
  files/wic_decode.cpp
  files/dib_bitmap.cpp
  files/frame_skin.cpp
  files/skin_manage.cpp
  controls/skin_control.cpp
  controls/skin_fonts.cpp
  controls/skin_draw.cpp
  controls/button_model.cpp
  controls/button.cpp
  controls/check_box.cpp
  controls/link.cpp
  controls/text.cpp
  controls/tooltip.cpp
  controls/image.cpp
  controls/animation.cpp
  controls/progress_layout.cpp
  controls/progress_bar.cpp
  controls/tab_strip.cpp
)
