#pragma once
// The main window: the live traffic graph, the choice of mode, and the
// recover and help links. It shows the chosen mode window modally in its
// own place and ends the program when that window has optimised.
#include <memory>

#include "app/MainWindow.h"
#include "forms/VelomarLook.h"
#include "win32ui/Form.h"

namespace velomar {

// A mode window as the main window drives it, plus its handle so that a
// second start of the program can bring it to the front.
class ModalModeWindow : public ModeWindow {
 public:
  virtual HWND Handle() const = 0;
};

// Any window with the mode windows' interface (SetVistaOrLater, Optimized,
// ClearOptimized), shown modally over `owner`.
template <class Window>
class ModalOver : public ModalModeWindow {
 public:
  ModalOver(Window& window, const ui::Form& owner) : window_(window), owner_(owner) {}
  Bounds Frame() const override { return window_.BoundsOf(""); }
  void MoveTo(int left, int top) override {
    Bounds frame = Frame();
    frame.x = left;
    frame.y = top;
    window_.SetBounds("", frame);
  }
  void SetVistaOrLater(bool value) override { window_.SetVistaOrLater(value); }
  void ClearOptimized() override { window_.ClearOptimized(); }
  void ShowModal() override { window_.ShowModal(owner_.Handle()); }
  bool Optimized() const override { return window_.Optimized(); }
  HWND Handle() const override { return window_.Handle(); }

 private:
  Window& window_;
  const ui::Form& owner_;
};

// Where a mode window goes once it is made: the program makes the mode
// windows after the main window's first paint, and the main window's logic
// holds this place from the start. Nothing reaches it before it is filled
// (the program fills it before the user's input is taken) but a second
// start's hand-over, which then finds no window.
class ModeWindowPlace : public ModalModeWindow {
 public:
  void Fill(std::unique_ptr<ModalModeWindow> window) { window_ = std::move(window); }
  Bounds Frame() const override { return window_->Frame(); }
  void MoveTo(int left, int top) override { window_->MoveTo(left, top); }
  void SetVistaOrLater(bool value) override { window_->SetVistaOrLater(value); }
  void ClearOptimized() override { window_->ClearOptimized(); }
  void ShowModal() override { window_->ShowModal(); }
  bool Optimized() const override { return window_->Optimized(); }
  HWND Handle() const override { return window_ ? window_->Handle() : nullptr; }

 private:
  std::unique_ptr<ModalModeWindow> window_;
};

class MainForm : public ui::Form {
 public:
  // The mode windows are handed over later (SetModeWindows).
  explicit MainForm(MainWindowServices services = SystemMainWindowServices());
  // The mode windows are created after this one, by the program's entry.
  template <class Automatic, class Custom>
  MainForm(Automatic& automatic, Custom& custom, MainWindowServices services = SystemMainWindowServices())
      : MainForm(std::move(services)) {
    SetModeWindows(automatic, custom);
  }

  // The windows OK shows, once they exist.
  template <class Automatic, class Custom>
  void SetModeWindows(Automatic& automatic, Custom& custom) {
    automatic_.Fill(std::make_unique<ModalOver<Automatic>>(automatic, *this));
    custom_.Fill(std::make_unique<ModalOver<Custom>>(custom, *this));
  }

  MainWindow& Logic() { return *logic_; }

  // A second start of the program: this window back from the task bar and
  // the window the user works in at the front.
  LRESULT WMRestoreInstance();

 private:
  ModeWindowPlace automatic_;
  ModeWindowPlace custom_;
  std::unique_ptr<MainWindow> logic_;
};

}  // namespace velomar
