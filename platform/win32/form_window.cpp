#include "platform/win32/form_window.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <vector>

#include "platform/win32/control_window.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_classes.h"

namespace zrv::win32 {

namespace {

// Set when the form lost the foreground it should keep. The foreground is
// taken back only once the activation that took it has settled: taken back
// in the middle of another program's activation, Wine leaves it with
// neither window.
constexpr UINT_PTR kTakeFrontBackTimer = 1;
constexpr UINT kTakeFrontBackDelayMs = 250;

struct FrameStyle {
  DWORD style;
  DWORD ex_style;
};

FrameStyle frame_style(BorderStyle border) {
  switch (border) {
    case BorderStyle::None:
      return {WS_POPUP, 0};
    case BorderStyle::FixedSingle:
      return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_APPWINDOW};
    case BorderStyle::FixedDialog:
    default:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW};
  }
}

bool takes_input(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TextBox:
    case ControlKind::DriveList:
    case ControlKind::DirList:
      return true;
    default:
      return false;
  }
}

// Controls are created in tab order, so their z-order is the keyboard order;
// controls without a tab index come last.
int tab_key(const Control& control) {
  return control.layout().tab_index == kNoTabStop ? INT_MAX : control.layout().tab_index;
}

void draw_shape(HDC dc, const RECT& pixels, const Control& shape) {
  if (shape.fill_color() != kNoColor) {
    SetDCBrushColor(dc, shape.fill_color());
    FillRect(dc, &pixels, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  const Color border = shape.border_color() == kNoColor ? rgb(0, 0, 0) : shape.border_color();
  if (border != shape.fill_color()) {
    SetDCBrushColor(dc, border);
    FrameRect(dc, &pixels, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
}

bool is_drop_down(const Control& control) { return control.kind() == ControlKind::DriveList; }

void mark_list_entry(HWND list, const Control& control) {
  SendMessageW(list, is_drop_down(control) ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(control.list_index()), 0);
}

void fill_list(HWND list, const Control& control) {
  const bool drop_down = is_drop_down(control);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, drop_down ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& item : control.items()) {
    SendMessageW(list, drop_down ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
  }
  mark_list_entry(list, control);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

bool FormWindow::register_class(const SharedLook& look) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = &FormWindow::window_proc;
  window_class.hInstance = look.instance;
  window_class.hIcon = look.big_icon;
  window_class.hIconSm = look.small_icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kFormClassName;
  return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::unique_ptr<FormWindow> FormWindow::create(Form& form, const SharedLook& look) {
  std::unique_ptr<FormWindow> peer(new FormWindow(form, look));
  if (!peer->create_window()) return nullptr;
  peer->create_controls();
  return peer;
}

FormWindow::FormWindow(Form& form, const SharedLook& look)
    : form_(form), look_(look), big_icon_(look.big_icon), small_icon_(look.small_icon) {}

FormWindow::~FormWindow() {
  if (!window_) return;
  // The window may be running one of its own handlers right now (a dialog
  // that unloads itself from its OK button): cut it loose from this object
  // first, so no message that destruction sends finds a dying peer.
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

bool FormWindow::create_window() {
  const FormLayout& layout = form_.layout();
  for (const Control& control : form_.controls()) {
    takes_input_ = takes_input_ || takes_input(control.kind());
    has_transparent_controls_ = has_transparent_controls_ || control.layout().transparent;
  }
  FrameStyle frame = frame_style(layout.border);
  // Transparent labels are drawn over what the form painted under them.
  if (!has_transparent_controls_) frame.style |= WS_CLIPCHILDREN;

  RECT outer{0, 0, 0, 0};
  const bool sized_by_table = layout.client_width > 0 && layout.client_height > 0;
  if (sized_by_table) {
    outer = RECT{0, 0, look_.dpi.to_pixels_x(layout.client_width), look_.dpi.to_pixels_y(layout.client_height)};
    AdjustWindowRectEx(&outer, frame.style, FALSE, frame.ex_style);
  }
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int x = 0;
  int y = 0;
  if (layout.centered) {
    x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  }

  CreateWindowExW(frame.ex_style, kFormClassName, widen(layout.caption).c_str(), frame.style, x, y, width, height,
                  nullptr, nullptr, look_.instance, this);
  if (!window_) return false;
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  // The form learns its outer size as the user will see it; the form has no
  // peer yet, so this does not come back here.
  if (sized_by_table) form_.set_size(look_.dpi.to_twips_x(width), look_.dpi.to_twips_y(height));
  return true;
}

void FormWindow::create_controls() {
  const std::deque<Control>& controls = form_.controls();
  widgets_.resize(controls.size());
  std::vector<size_t> order(controls.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return tab_key(controls[a]) < tab_key(controls[b]); });
  for (size_t index : order) add_control(const_cast<Control&>(controls[index]));
}

void FormWindow::add_control(Control& control) {
  const std::deque<Control>& controls = form_.controls();
  size_t index = controls.size();
  // Run-time array elements are appended, so search from the back.
  while (index > 0 && &controls[index - 1] != &control) --index;
  if (index == 0) return;
  --index;
  if (widgets_.size() <= index) widgets_.resize(index + 1);
  Widget& widget = widgets_[index];
  if (widget.control) return;
  widget.control = &control;

  // A container is created before what it holds, whatever the tab order says.
  HWND parent = container_window(control);
  const Bounds& bounds = control.bounds();
  widget.pixels = look_.dpi.to_pixels(bounds.left, bounds.top, bounds.width, bounds.height);
  if (control.kind() == ControlKind::Shape) {
    if (control.visible()) invalidate_behind(widget);
    return;
  }
  const bool starts_group = control.kind() != ControlKind::OptionButton || starts_option_group(control, parent);
  widget.window = create_control_window(
      {control, parent, widget.pixels, kFirstControlId + static_cast<int>(index), starts_group, big_icon_});
  if (!widget.window) return;
  widget.own_font = create_control_font(control.layout().font, look_.dpi);
  HFONT font = widget.own_font ? widget.own_font.get() : look_.dialog_font;
  SendMessageW(widget.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (control.kind() == ControlKind::DriveList || control.kind() == ControlKind::DirList) {
    fill_list(widget.window, control);
  }
}

HWND FormWindow::container_window(const Control& control) {
  if (control.layout().container.empty()) return window_;
  Control* container = form_.find(control.layout().container);
  if (!container || container == &control) return window_;
  add_control(*container);
  const Widget& widget = widget_of(*container);
  return widget.window ? widget.window : window_;
}

bool FormWindow::starts_option_group(const Control& control, HWND parent) {
  // Option buttons created one after another in a container are one group.
  HWND first_child = GetWindow(parent, GW_CHILD);
  HWND previous = first_child ? GetWindow(first_child, GW_HWNDLAST) : nullptr;
  if (!previous) return true;
  const Widget* widget = widget_by_id(GetDlgCtrlID(previous));
  return !widget || !widget->control || widget->control->kind() != ControlKind::OptionButton ||
         widget->control == &control;
}

FormWindow::Widget& FormWindow::widget_of(const Control& control) {
  for (Widget& widget : widgets_) {
    if (widget.control == &control) return widget;
  }
  // A control the peer has not seen yet (it cannot happen through Form):
  // build it now rather than lose the change.
  add_control(const_cast<Control&>(control));
  for (Widget& widget : widgets_) {
    if (widget.control == &control) return widget;
  }
  static Widget nothing;
  return nothing;
}

FormWindow::Widget* FormWindow::widget_by_id(int id) {
  const int index = id - kFirstControlId;
  if (index < 0 || static_cast<size_t>(index) >= widgets_.size()) return nullptr;
  Widget& widget = widgets_[static_cast<size_t>(index)];
  return widget.control ? &widget : nullptr;
}

void FormWindow::control_changed(Control& control, Property property) {
  Widget& widget = widget_of(control);
  if (!widget.control) return;
  const bool is_shape = control.kind() == ControlKind::Shape;
  switch (property) {
    case Property::Caption:
      if (widget.window) SetWindowTextW(widget.window, widen(control.caption()).c_str());
      if (control.layout().transparent) invalidate_behind(widget);
      break;
    case Property::Enabled:
      if (widget.window) {
        const bool had_focus = has_focus_within(widget.window);
        EnableWindow(widget.window, control.enabled() ? TRUE : FALSE);
        if (had_focus && !control.enabled()) focus_next_after(widget.window);
      }
      break;
    case Property::Visible:
      if (widget.window) {
        const bool had_focus = has_focus_within(widget.window);
        ShowWindow(widget.window, control.visible() ? SW_SHOWNA : SW_HIDE);
        if (had_focus && !control.visible()) focus_next_after(widget.window);
      }
      if (is_shape || control.layout().transparent) invalidate_behind(widget);
      break;
    case Property::Value:
      if (widget.window) SendMessageW(widget.window, BM_SETCHECK, control.value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::Bounds:
      update_bounds(widget);
      break;
    case Property::Colors:
      if (is_shape) invalidate_behind(widget);
      break;
    case Property::Items:
      if (widget.window) fill_list(widget.window, control);
      break;
    case Property::ListIndex:
      if (widget.window) mark_list_entry(widget.window, control);
      break;
  }
}

void FormWindow::update_bounds(Widget& widget) {
  const Bounds& bounds = widget.control->bounds();
  const RECT pixels = look_.dpi.to_pixels(bounds.left, bounds.top, bounds.width, bounds.height);
  if (EqualRect(&pixels, &widget.pixels)) return;
  if (!widget.window) {
    invalidate_behind(widget);
    widget.pixels = pixels;
    invalidate_behind(widget);
    return;
  }
  widget.pixels = pixels;
  int height = pixels.bottom - pixels.top;
  if (widget.control->kind() == ControlKind::DriveList) {
    RECT current;
    GetWindowRect(widget.window, &current);
    height = current.bottom - current.top;  // a drop-down list keeps its list's height
  }
  SetWindowPos(widget.window, nullptr, pixels.left, pixels.top, pixels.right - pixels.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::invalidate_behind(const Widget& widget) {
  RECT area = widget.pixels;
  HWND parent = widget.window ? GetParent(widget.window) : container_window(*widget.control);
  if (parent && parent != window_) MapWindowPoints(parent, window_, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(window_, &area, FALSE);
}

void FormWindow::refresh(Control& control) {
  Widget& widget = widget_of(control);
  if (!widget.control) return;
  if (!widget.window || control.layout().transparent) {
    invalidate_behind(widget);
    UpdateWindow(window_);
  }
  if (widget.window) {
    RedrawWindow(widget.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

bool FormWindow::has_focus_within(HWND window) const {
  HWND focus = GetFocus();
  return focus && (focus == window || IsChild(window, focus));
}

void FormWindow::focus_next_after(HWND gone) {
  // A control that can no longer take keys hands them on in tab order, so
  // the keyboard never ends up talking to a hidden or disabled window.
  auto usable = [&](HWND candidate) {
    return candidate && candidate != gone && IsWindowVisible(candidate) && IsWindowEnabled(candidate);
  };
  HWND next = GetNextDlgTabItem(window_, gone, FALSE);
  if (!usable(next)) next = GetNextDlgTabItem(window_, nullptr, FALSE);
  SetFocus(usable(next) ? next : window_);
}

void FormWindow::paint(HDC dc, const RECT& area) {
  RECT client;
  GetClientRect(window_, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  // Painted off screen and copied at once, so the backdrop's stripes never
  // show one by one.
  UniqueMemoryDc buffer(CreateCompatibleDC(dc));
  UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  if (!buffer || !bitmap) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  {
    SelectedObject selected(buffer.get(), bitmap.get());
    FillRect(buffer.get(), &area, GetSysColorBrush(COLOR_BTNFACE));
    for (const Widget& widget : widgets_) {
      const Control* control = widget.control;
      if (!control || control->kind() != ControlKind::Shape || !control->visible()) continue;
      if (!control->layout().container.empty()) continue;  // shapes live on the form itself
      RECT overlap;
      if (IntersectRect(&overlap, &widget.pixels, &area)) draw_shape(buffer.get(), widget.pixels, *control);
    }
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, buffer.get(), area.left,
           area.top, SRCCOPY);
  }
}

void FormWindow::set_visible(bool visible) {
  if (!visible) {
    front_keeper_.release();
    ShowWindow(window_, SW_HIDE);
    return;
  }
  ShowWindow(window_, takes_input_ ? SW_SHOW : SW_SHOWNA);
  if (takes_input_) SetForegroundWindow(window_);
  UpdateWindow(window_);
}

void FormWindow::size_changed() {
  SetWindowPos(window_, nullptr, 0, 0, look_.dpi.to_pixels_x(form_.width()), look_.dpi.to_pixels_y(form_.height()),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::bring_to_front_and_focus() {
  BringWindowToTop(window_);
  SetForegroundWindow(window_);
  SetFocus(window_);
  front_keeper_.claim(window_);
}

void FormWindow::set_focus() { SetFocus(window_); }

void FormWindow::copy_icon_from(const WindowPeer& other) {
  const auto* source = dynamic_cast<const FormWindow*>(&other);
  if (!source) return;
  big_icon_ = source->big_icon_;
  small_icon_ = source->small_icon_;
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  for (const Widget& widget : widgets_) {
    if (widget.window && widget.control->kind() == ControlKind::Image) {
      SendMessageW(widget.window, STM_SETICON, reinterpret_cast<WPARAM>(big_icon_), 0);
    }
  }
}

LRESULT CALLBACK FormWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  return self->handle_message(message, wparam, lparam);
}

LRESULT FormWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      // The form decides; it may cancel, end the program or destroy this
      // object, so nothing of it is touched afterwards.
      form_.request_close(UnloadMode::User);
      return 0;
    case WM_COMMAND:
      return on_command(wparam, lparam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return on_control_color(message, wparam, lparam);
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      PAINTSTRUCT paint_info;
      HDC dc = BeginPaint(window_, &paint_info);
      paint(dc, paint_info.rcPaint);
      EndPaint(window_, &paint_info);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window_, &client);
      paint(reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (!takes_input_) return MA_NOACTIVATE;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focus_before_deactivation_ = focus;
        if (front_keeper_.keeping()) SetTimer(window_, kTakeFrontBackTimer, kTakeFrontBackDelayMs, nullptr);
      }
      break;
    case WM_TIMER:
      if (wparam != kTakeFrontBackTimer) break;
      KillTimer(window_, kTakeFrontBackTimer);
      if (front_keeper_.take_back_from_newcomer(window_)) {
        BringWindowToTop(window_);
        SetForegroundWindow(window_);
      }
      return 0;
    case WM_SETFOCUS: {
      // Keys belong to a control, never to the bare form: give the focus
      // back to where it was, or to the first control that takes it.
      HWND target = focus_before_deactivation_;
      if (!target || !IsWindow(target) || !IsChild(window_, target) || !IsWindowVisible(target) ||
          !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
      }
      if (target && target != window_) SetFocus(target);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

LRESULT FormWindow::on_command(WPARAM wparam, LPARAM lparam) {
  int id = LOWORD(wparam);
  HWND sender = reinterpret_cast<HWND>(lparam);
  // Enter outside a dialog arrives as IDOK without a sender: it presses the
  // focused push button, as it would in a dialog.
  if (id == IDOK && !sender) {
    sender = GetFocus();
    const Widget* focused = sender ? widget_by_id(GetDlgCtrlID(sender)) : nullptr;
    if (!focused || focused->window != sender) return 0;
    // In the directory list Enter opens the highlighted entry, as a double click does.
    if (focused->control->kind() == ControlKind::DirList) return on_list_notification(GetDlgCtrlID(sender), LBN_DBLCLK, sender);
    if (focused->control->kind() != ControlKind::Button) return 0;
    id = GetDlgCtrlID(sender);
  } else if (!sender) {
    return 0;
  } else if (HIWORD(wparam) != BN_CLICKED) {
    return on_list_notification(id, HIWORD(wparam), sender);
  }
  Widget* widget = widget_by_id(id);
  if (!widget || widget->window != sender) return 0;
  Control& control = *widget->control;
  switch (control.kind()) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
      break;
    case ControlKind::OptionButton:
      // An option button also reports a click when it merely receives the
      // focus; only a button that actually became selected is a choice.
      if (SendMessageW(sender, BM_GETCHECK, 0, 0) != BST_CHECKED) return 0;
      break;
    default:
      return 0;
  }
  control.user_click();  // may destroy this window and this object
  return 0;
}

LRESULT FormWindow::on_list_notification(int id, int code, HWND sender) {
  Widget* widget = widget_by_id(id);
  if (!widget || widget->window != sender) return 0;
  Control& control = *widget->control;
  // A drive is chosen as soon as the selection changes; a directory is
  // opened by a double click, as in the classic directory list.
  const bool chosen = (control.kind() == ControlKind::DriveList && code == CBN_SELCHANGE) ||
                      (control.kind() == ControlKind::DirList && code == LBN_DBLCLK);
  if (!chosen) return 0;
  const LRESULT index = SendMessageW(sender, is_drop_down(control) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
  if (index < 0) return 0;
  control.user_choose(static_cast<int>(index));  // may destroy this window and this object
  return 0;
}

LRESULT FormWindow::on_control_color(UINT message, WPARAM wparam, LPARAM lparam) {
  const Widget* widget = widget_by_id(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
  if (!widget || widget->window != reinterpret_cast<HWND>(lparam)) {
    return DefWindowProcW(window_, message, wparam, lparam);
  }
  const ControlLayout& layout = widget->control->layout();
  if (layout.fore_color == kNoColor && !layout.transparent) return DefWindowProcW(window_, message, wparam, lparam);
  HDC dc = reinterpret_cast<HDC>(wparam);
  if (layout.fore_color != kNoColor) SetTextColor(dc, layout.fore_color);
  if (layout.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace zrv::win32
