#include "app/AppGlobals.h"
#include "app/Pages.h"

#include "app/KeepAwakeTimer.h"
#include "app/SoundMotion.h"
#include "app/Splash.h"
#include "gfx/Draw.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchCheckBox.h"

void TransitionAnimator::Start(HWND window, UINT_PTR timerId, UINT intervalMs, TIMERPROC timerProc) {
  if (Kind == 0 || DurationMs < 1) return;
  // A transition started during another restarts from the picture on screen.
  if (Running) KillTimer(window, timerId);
  Running = 1;
  Progress = 0.0;
  StartTick = GetTickCount();
  SetTimer(window, timerId, intervalMs, timerProc);
}

void TransitionAnimator::Step(HWND window, UINT_PTR timerId) {
  if (Progress >= 1.0) {
    Running = 0;
    KillTimer(window, timerId);
    return;
  }
  // Unsigned difference: a wrap of the tick counter is harmless.
  Progress = double(GetTickCount() - StartTick) / double(DurationMs);
  if (Progress > 1.0) Progress = 1.0;
}

static void InvalidateMainWindow() { InvalidateRect(AppGlobals::MainWindow.load(std::memory_order_acquire), nullptr, TRUE); }

void SwitchMotionOff() {
  StopSoundMotion();
  if (TouchCheckBox* toggle = Get(AppGlobals::MotionToggle)) {
    toggle->SetChecked(false);
    toggle->SetText(TEXT("OFF"));
  }
  if (KeepAwakeTimer* keepAwake = Get(AppGlobals::KeepAwake)) keepAwake->Stop();
}

static void SetVisible(TouchControl* widget, bool visible) {
  if (widget) widget->SetVisible(visible);
}

void ShowScreenPanel(int id, bool repaint) {
  SwitchMotionOff();
  if (id == ID_SCREEN) SetVisible(Get(AppGlobals::Screen), true);
  if (repaint) InvalidateMainWindow();
}

void ShowTopPanel(int id, bool repaint) {
  SwitchMotionOff();
  if (id == ID_PAGES || id == ID_ABOUT_PAGE || id == ID_PICKER_PAGE) {
    SetVisible(Get(AppGlobals::Pages), id == ID_PAGES);
    SetVisible(Get(AppGlobals::AboutPage), id == ID_ABOUT_PAGE);
    SetVisible(Get(AppGlobals::PickerPage), id == ID_PICKER_PAGE);
  }
  if (repaint) InvalidateMainWindow();
}

void ShowTabPage(int id, bool fromTab, bool repaint) {
  SwitchMotionOff();
  struct TabPage {
    int pageId;
    std::atomic<TouchPanel*>* page;
    std::atomic<TouchCheckBox*>* tab;
  };
  const TabPage tabPages[] = {{ID_HOME_PAGE, &AppGlobals::HomePage, &AppGlobals::TabHome},
                              {ID_SOUNDS_PAGE, &AppGlobals::SoundsPage, &AppGlobals::TabSounds},
                              {ID_SETTINGS_PAGE, &AppGlobals::SettingsPage, &AppGlobals::TabSettings}};
  if (id == ID_HOME_PAGE || id == ID_SOUNDS_PAGE || id == ID_SETTINGS_PAGE) {
    for (const TabPage& tabPage : tabPages) {
      bool shown = tabPage.pageId == id;
      if (TouchCheckBox* tab = Get(*tabPage.tab)) {
        tab->SetLocked(shown);
        // A tapped tab has already checked itself.
        if (!shown || !fromTab) tab->SetChecked(shown);
      }
      SetVisible(Get(*tabPage.page), shown);
    }
  }
  if (repaint) InvalidateMainWindow();
}

static void FillBlack(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

static RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

int StartTransition(int kind, int durationMs) {
  TouchCheckBox* animations = Get(AppGlobals::Anim);
  TransitionAnimator* animator = Get(AppGlobals::Animator);
  if (!animations || !animations->IsChecked() || !animator || AppGlobals::Loading.load(std::memory_order_acquire))
    return 0;
  animator->SetKind(kind);
  animator->SetDuration(durationMs);

  const BackBuffer& frame = AppGlobals::FrameBuffer;
  const BackBuffer& outgoing = AppGlobals::OutgoingBuffer;
  const BackBuffer& incoming = AppGlobals::IncomingBuffer;
  RECT screen = ScreenRect();
  FillBlack(outgoing.Dc, screen);
  FillBlack(incoming.Dc, screen);
  // The old screen is whatever was composed last, a transition frame included.
  BitBlt(outgoing.Dc, 0, 0, screen.right, screen.bottom, frame.Dc, 0, 0, SRCCOPY);
  TouchPanel* root = Get(AppGlobals::RootPanel);
  if (!root) return 0;
  // The caller has switched the panels already: this is the new screen.
  root->DrawIfVisible(incoming.Dc);
  animator->Start(AppGlobals::MainWindow.load(std::memory_order_acquire), TRANSITION_TIMER_ID, TRANSITION_TIMER_MS,
                  OnTransitionTimer);
  return 1;
}

namespace {

// Where a piece of one screen goes along the moving axis of length L at offset o.
enum Piece {
  WHOLE,           // all of it, in place
  ENTER_AT_END,    // its first o pixels at the far end (coming in from the right or bottom)
  LEAVE_TO_START,  // all but its first o pixels, moved to the start (leaving left or up)
  ENTER_AT_START,  // its last o pixels at the start (coming in from the left or top)
  LEAVE_TO_END,    // all but its last o pixels, moved on by o (leaving right or down)
};

struct Copy {
  Piece piece;
  bool incoming;  // from the new screen, else from the old one
};

struct KindCopies {
  bool vertical;
  Copy first;
  Copy second;
};

// Kinds 1 to 12 as two copies each, in order.
const KindCopies kKindCopies[12] = {
    {false, {LEAVE_TO_START, false}, {ENTER_AT_END, true}},   // push left
    {false, {ENTER_AT_START, true}, {LEAVE_TO_END, false}},   // push right
    {true, {LEAVE_TO_START, false}, {ENTER_AT_END, true}},    // push up
    {true, {ENTER_AT_START, true}, {LEAVE_TO_END, false}},    // push down
    {false, {WHOLE, false}, {ENTER_AT_END, true}},            // cover from the right
    {false, {WHOLE, true}, {LEAVE_TO_START, false}},          // uncover to the left
    {false, {WHOLE, false}, {ENTER_AT_START, true}},          // cover from the left
    {false, {WHOLE, true}, {LEAVE_TO_END, false}},            // uncover to the right
    {true, {WHOLE, false}, {ENTER_AT_END, true}},             // cover from the bottom
    {true, {WHOLE, true}, {LEAVE_TO_START, false}},           // uncover upward
    {true, {WHOLE, false}, {ENTER_AT_START, true}},           // cover from the top
    {true, {WHOLE, true}, {LEAVE_TO_END, false}},             // uncover downward
};

// One span along the moving axis: target start, length, source start.
struct Span {
  int to, length, from;
};

Span SpanOf(Piece piece, int length, int offset) {
  switch (piece) {
    case ENTER_AT_END: return {length - offset, offset, 0};
    case LEAVE_TO_START: return {0, length - offset, offset};
    case ENTER_AT_START: return {0, offset, length - offset};
    case LEAVE_TO_END: return {offset, length - offset, 0};
    case WHOLE: break;
  }
  return {0, length, 0};
}

void BlitCopy(const Copy& copy, bool vertical, int width, int height, int offset) {
  HDC source = copy.incoming ? AppGlobals::IncomingBuffer.Dc : AppGlobals::OutgoingBuffer.Dc;
  HDC frame = AppGlobals::FrameBuffer.Dc;
  if (vertical) {
    Span span = SpanOf(copy.piece, height, offset);
    BitBlt(frame, 0, span.to, width, span.length, source, 0, span.from, SRCCOPY);
  } else {
    Span span = SpanOf(copy.piece, width, offset);
    BitBlt(frame, span.to, 0, span.length, height, source, span.from, 0, SRCCOPY);
  }
}

}  // namespace

int PaintTransition(const RECT& rect) {
  TransitionAnimator* animator = Get(AppGlobals::Animator);
  if (!animator || !animator->IsRunning()) return 0;
  int kind = animator->GetKind();
  if (kind < PUSH_LEFT || kind > FADE_OUT_OLD) return 0;
  double progress = animator->GetProgress();
  int width = rect.right - rect.left, height = rect.bottom - rect.top;

  if (kind == FADE_IN_NEW || kind == FADE_OUT_OLD) {
    bool fadeIn = kind == FADE_IN_NEW;
    HDC frame = AppGlobals::FrameBuffer.Dc;
    HDC old = AppGlobals::OutgoingBuffer.Dc, fresh = AppGlobals::IncomingBuffer.Dc;
    BitBlt(frame, 0, 0, width, height, fadeIn ? old : fresh, 0, 0, SRCCOPY);
    int alpha = fadeIn ? int(progress * 255.0) : int(255.0 - progress * 255.0);
    AlphaBlendCopy(frame, 0, 0, width, height, fadeIn ? fresh : old, alpha);
    return 1;
  }

  const KindCopies& copies = kKindCopies[kind - 1];
  int offset = int((copies.vertical ? height : width) * progress);
  BlitCopy(copies.first, copies.vertical, width, height, offset);
  BlitCopy(copies.second, copies.vertical, width, height, offset);
  return 1;
}

LRESULT OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HDC frame = AppGlobals::FrameBuffer.Dc;
  if (frame) {
    FillBlack(frame, client);
    if (AppGlobals::Loading.load(std::memory_order_acquire)) {
      if (SplashScreen* splash = Get(AppGlobals::Splash)) splash->Paint(frame, client, SPLASH_ALPHA);
    } else if (!PaintTransition(client)) {
      if (TouchPanel* root = Get(AppGlobals::RootPanel)) root->DrawIfVisible(frame);
    }
    if (dc) BitBlt(dc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), frame, 0, 0, SRCCOPY);
  }
  EndPaint(window, &paint);
  return 0;
}

void CALLBACK OnTransitionTimer(HWND window, UINT, UINT_PTR, DWORD) {
  if (TransitionAnimator* animator = Get(AppGlobals::Animator)) animator->Step(window, TRANSITION_TIMER_ID);
  InvalidateMainWindow();
}
