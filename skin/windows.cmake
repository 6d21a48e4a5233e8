# Window layer shared by both programs, skinned windows, message box and web pane.
list(APPEND SKIN_WINDOW_SOURCES
  window/window_impl.cpp
  window/dialog_impl.cpp
  window/message_loop.cpp
  window_base.cpp
  main_window_frame.cpp
  font_pool.cpp
  memory_dc.cpp
  subclass_basic.cpp
  frame_layout.cpp
  draw_window.cpp
  layered_paint.cpp
  message_box_dlg.cpp
  ax_container.cpp
  browser.cpp
)
