# Window layer shared by both programs, skinned windows, painting helpers, message box and web pane.
list(APPEND SKIN_WINDOW_SOURCES
  window/window_impl.cpp
  window/dialog_impl.cpp
  window/message_loop.cpp
  window/mouse_leave_tracker.cpp
  skinned_window/window_base.cpp
  skinned_window/main_window_frame.cpp
  skinned_window/subclass_basic.cpp
  skinned_window/frame_layout.cpp
  skinned_window/draw_window.cpp
  paint/font_pool.cpp
  paint/memory_dc.cpp
  paint/layered_paint.cpp
  message_box/message_box_dlg.cpp
  web_pane/ax_container.cpp
  web_pane/browser.cpp
)
