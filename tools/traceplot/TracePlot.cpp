#include "TracePlot.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include <wince/testdriver.h>

#include "gfx/Draw.h"
#include "motion/ShakeDetector.h"
#include "sound/SoundSlots.h"

namespace {

constexpr int kZRest = 1000;  // ShakeDetectorZ measures |Z| beyond 1 g

// The program's look: black page, charcoal panels, gold accents.
constexpr COLORREF kPage = RGB(10, 10, 13);
constexpr COLORREF kPanel = RGB(24, 24, 29);
constexpr COLORREF kRim = RGB(84, 84, 96);
constexpr COLORREF kGrid = RGB(40, 40, 48);
constexpr COLORREF kDim = RGB(78, 78, 86);
constexpr COLORREF kGrey = RGB(160, 160, 170);
constexpr COLORREF kWhite = RGB(240, 240, 245);
constexpr COLORREF kGold = RGB(226, 184, 14);
constexpr COLORREF kGoldHi = RGB(254, 212, 17);
constexpr COLORREF kGoldLo = RGB(112, 92, 0);
constexpr COLORREF kGoldPale = RGB(255, 232, 120);
constexpr COLORREF kInk = RGB(20, 18, 10);
constexpr COLORREF kSelected = RGB(70, 66, 52);

constexpr int kWidth = 1280;
constexpr int kLeft = 96;  // the panels' left edge; the milli-g labels sit before it
constexpr int kRight = kWidth - 28;
constexpr int kPanelsTop = 124;
constexpr int kPanelHeight = 220;
constexpr int kPanelGap = 28;  // room for the next panel's title
constexpr int kTableRow = 28;
constexpr int kTableLabelWidth = 190;

const char16_t* const kAxisTitles[3] = {u"X    \u2212 slot 4    + slot 2", u"Y    \u2212 slot 1    + slot 3",
                                        u"Z    slot 5, |Z| \u2212 1000 beyond 1 g, only below ZLimit"};

int Component(const sensor::Reading& reading, int axis) {
  return axis == 0 ? reading.x : axis == 1 ? reading.y : reading.z;
}

// UTF-8 text (file names, comments) as the layer's UTF-16.
std::u16string Wide(const std::string& text) { return std::filesystem::path(text).u16string(); }

std::u16string Number(long long value) { return Wide(std::to_string(value)); }

class Canvas {
 public:
  Canvas(int width, int height)
      : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
    previous_ = SelectObject(dc_, bitmap_);
    small_ = CreateSkinFont(TEXT("DejaVu Sans"), 13, false, false, false);
    normal_ = CreateSkinFont(TEXT("DejaVu Sans"), 15, false, false, false);
    bold_ = CreateSkinFont(TEXT("DejaVu Sans"), 15, true, false, false);
    title_ = CreateSkinFont(TEXT("DejaVu Sans"), 24, true, false, false);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    for (HFONT font : {small_, normal_, bold_, title_}) DeleteObject(font);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Fill(int left, int top, int right, int bottom, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT rect{left, top, right, bottom};
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
  }
  void Frame(int left, int top, int right, int bottom, COLORREF color) {
    Fill(left, top, right, top + 1, color);
    Fill(left, bottom - 1, right, bottom, color);
    Fill(left, top, left + 1, bottom, color);
    Fill(right - 1, top, right, bottom, color);
  }
  // A polyline of points in one colour, two pixels thick (the copy one pixel lower).
  void Polyline(const std::vector<POINT>& points, COLORREF color) {
    if (points.size() < 2) return;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ previous = SelectObject(dc_, pen);
    for (int offset : {0, 1}) {
      MoveToEx(dc_, points[0].x, points[0].y + offset, nullptr);
      for (size_t i = 1; i < points.size(); ++i) LineTo(dc_, points[i].x, points[i].y + offset);
    }
    SelectObject(dc_, previous);
    DeleteObject(pen);
  }
  // A horizontal line of dashes (dash 0 draws it solid).
  void HLine(int left, int right, int y, COLORREF color, int dash) {
    if (dash == 0) return Fill(left, y, right, y + 1, color);
    for (int x = left; x < right; x += dash * 2) Fill(x, y, std::min(x + dash, right), y + 1, color);
  }
  void Text(const std::u16string& text, int left, int top, int right, int bottom, UINT format,
            COLORREF color, HFONT font) {
    DrawTextInRect(dc_, text.c_str(), RECT{left, top, right, bottom}, format | DT_SINGLELINE | DT_VCENTER,
                   color, font);
  }
  // A gold badge with a number in ink, as the program marks a pressed slot.
  void Badge(int left, int top, int width, int height, const std::u16string& text) {
    FillGradientRect(dc_, left, top, left + width, top + height, kGoldHi, kGoldLo, GRADIENT_FILL_RECT_V);
    Frame(left, top, left + width, top + height, kGoldPale);
    Text(text, left, top, left + width, top + height, DT_CENTER, kInk, bold_);
  }
  // A grey badge with a cross: a shake spent without a sound.
  void SpentBadge(int left, int top, int width, int height) {
    Fill(left, top, left + width, top + height, kDim);
    Frame(left, top, left + width, top + height, kGrey);
    Text(u"\u00d7", left, top, left + width, top + height, DT_CENTER, kWhite, bold_);
  }
  bool Save(const std::string& path) const {
    return wince::test::SavePng(wince::test::CaptureBitmap(bitmap_), path);
  }

  HFONT small_, normal_, bold_, title_;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// One panel: its rectangle and the milli-g range it shows.
struct Panel {
  int top, bottom;
  int low, high;
  DWORD fromMs, toMs;

  int Y(int milliG) const {
    return bottom - 1 - int(std::lround(double(milliG - low) * (bottom - top - 2) / (high - low)));
  }
  int X(DWORD ms) const {
    return kLeft + int(std::lround((double(ms) - fromMs) * (kRight - kLeft - 1) / (toMs - fromMs)));
  }
};

// The panel's range: the data, ±1200 and the detector's lines, in whole 500s.
Panel MakePanel(const TracePlot& plot, int axis, int top) {
  int low = -1200, high = 1200;
  if (axis == 2) low = std::min(low, -(kZRest + SensitivityToMinPeak(plot.sensitivity)) - 200);
  for (const auto& row : plot.trace->Rows()) {
    low = std::min(low, Component(row.reading, axis) - 100);
    high = std::max(high, Component(row.reading, axis) + 100);
  }
  low = int(std::floor(low / 500.0)) * 500;
  high = int(std::ceil(high / 500.0)) * 500;
  return {top, top + kPanelHeight, low, high, plot.fromMs, plot.toMs};
}

// Milliseconds between time labels, so that they stand at least 70 pixels apart.
DWORD TimeStep(DWORD shownMs) {
  const double pixelsPerMs = double(kRight - kLeft) / shownMs;
  for (DWORD step : {100, 200, 500, 1000, 2000, 5000, 10000, 15000, 30000, 60000, 120000, 300000, 600000})
    if (step * pixelsPerMs >= 70) return step;
  return 1200000;
}

// A time label in seconds: "8", or "8.2" between whole seconds.
std::u16string SecondsLabel(DWORD ms) {
  std::u16string text = Number(ms / 1000);
  if (ms % 1000) {
    text += u'.';
    text += Number(ms % 1000 / 100);
  }
  return text;
}

// The detectors' ticks are drawn where they stand at least 8 pixels apart.
bool TicksShown(const TracePlot& plot) {
  return (kRight - kLeft) * double(SHAKE_TIMER_MS) / (plot.toMs - plot.fromMs) >= 8;
}

// A detector's tick: a ring around what it read.
void DrawTick(Canvas& canvas, int x, int y) {
  canvas.Fill(x - 2, y - 2, x + 3, y + 3, kGrey);
  canvas.Fill(x - 1, y - 1, x + 2, y + 2, kPanel);
}

void DrawPanel(Canvas& canvas, const TracePlot& plot, int axis, const Panel& panel, bool timeLabels) {
  canvas.Fill(kLeft, panel.top, kRight, panel.bottom, kPanel);
  const DWORD timeStep = TimeStep(plot.toMs - plot.fromMs);
  for (DWORD ms = (plot.fromMs + timeStep - 1) / timeStep * timeStep; ms <= plot.toMs; ms += timeStep) {
    const int x = panel.X(ms);
    canvas.Fill(x, panel.top + 1, x + 1, panel.bottom - 1, kGrid);
    if (timeLabels)
      canvas.Text(SecondsLabel(ms) + (ms == plot.toMs - plot.toMs % timeStep ? u" s" : u""), x - 40,
                  panel.bottom + 2, x + 40, panel.bottom + 22, DT_CENTER, kGrey, canvas.small_);
  }
  // milli-g: a label every 500 (or more on a tall range), the 0 and ±1000 lines.
  const int labelStep = 500 * ((panel.high - panel.low + 4999) / 5000);
  for (int value = panel.low; value <= panel.high; value += labelStep) {
    const int y = panel.Y(value);
    canvas.Text(Number(value), 0, y - 10, kLeft - 8, y + 10, DT_RIGHT, kGrey, canvas.small_);
    canvas.Fill(kLeft - 5, y, kLeft, y + 1, kDim);
  }
  for (int value : {-1000, 0, 1000}) canvas.HLine(kLeft + 1, kRight - 1, panel.Y(value), kDim, 0);

  // The detector's lines: where a shake starts and the peak it must exceed; on Z both
  // lie 1000 beyond 1 g either way, and ZLimit is the Z every judged shake needs.
  const int offset = axis == 2 ? kZRest : 0;
  const int minPeak = SensitivityToMinPeak(plot.sensitivity);
  for (int sign : {-1, 1}) {
    const int threshold = sign * (offset + kStartUpThreshold), peak = sign * (offset + minPeak);
    if (threshold > panel.low && threshold < panel.high)
      canvas.HLine(kLeft + 1, kRight - 1, panel.Y(threshold), kGoldLo, 6);
    if (peak > panel.low && peak < panel.high) canvas.HLine(kLeft + 1, kRight - 1, panel.Y(peak), kGold, 10);
  }
  if (axis == 2) canvas.HLine(kLeft + 1, kRight - 1, panel.Y(kStartUpZLimit), kGoldPale, 3);

  // The readings as the stand-in replays them: each row holds until the next.
  std::vector<POINT> points = {{panel.X(plot.fromMs), panel.Y(Component(plot.trace->Read(plot.fromMs), axis))}};
  for (const auto& row : plot.trace->Rows()) {
    if (row.ms <= plot.fromMs || row.ms > plot.toMs) continue;
    const int x = panel.X(row.ms);
    points.push_back({x, points.back().y});
    points.push_back({x, panel.Y(Component(row.reading, axis))});
  }
  points.push_back({panel.X(plot.toMs), points.back().y});
  canvas.Polyline(points, kWhite);

  // What the detector read at its ticks, where they stand far enough apart to tell.
  if (TicksShown(plot)) {
    for (DWORD ms = plot.phaseMs + SHAKE_TIMER_MS; ms <= plot.toMs; ms += SHAKE_TIMER_MS) {
      if (ms < plot.fromMs) continue;
      DrawTick(canvas, panel.X(ms), panel.Y(Component(plot.trace->Read(ms), axis)));
    }
  }

  // Every shake of this axis judged where it was: a play in gold with the judging sample
  // marked and its slot in a badge, a shake spent without a sound in grey.
  struct Judged {
    DWORD ms;
    int slot;  // 0: spent
  };
  std::vector<Judged> judged;
  for (const ShakePlay& play : plot.Plays())
    if (AxisOfSlot(play.slot) == axis) judged.push_back({play.ms, play.slot});
  for (const SpentShake& shake : plot.Drawn().spent)
    if (shake.axis == axis) judged.push_back({shake.ms, 0});
  std::sort(judged.begin(), judged.end(), [](const Judged& a, const Judged& b) { return a.ms < b.ms; });
  int badgeRight = 0, badgeRow = 0;
  for (const Judged& shake : judged) {
    if (shake.ms < plot.fromMs || shake.ms > plot.toMs) continue;
    const int x = panel.X(shake.ms);
    const COLORREF color = shake.slot ? kGoldHi : kGrey;
    canvas.Fill(x, panel.top + 1, x + 1, panel.bottom - 1, color);
    const int y = panel.Y(Component(plot.trace->Read(shake.ms), axis));
    canvas.Fill(x - 3, y - 3, x + 4, y + 4, color);
    // A badge is lowered when it would cover the one before.
    badgeRow = x - 11 < badgeRight ? (badgeRow + 1) % 4 : 0;
    if (shake.slot)
      canvas.Badge(x - 11, panel.top + 6 + badgeRow * 24, 22, 22, Number(shake.slot));
    else
      canvas.SpentBadge(x - 11, panel.top + 6 + badgeRow * 24, 22, 22);
    badgeRight = x + 11;
  }

  canvas.Frame(kLeft, panel.top, kRight, panel.bottom, kRim);
  canvas.Text(kAxisTitles[axis], kLeft, panel.top - 24, kRight, panel.top - 2, DT_RIGHT, kGrey, canvas.normal_);
}

void DrawHeader(Canvas& canvas, const TracePlot& plot) {
  canvas.Fill(0, 0, kWidth, 4, kGold);
  canvas.Text(Wide(plot.name), 24, 14, kWidth - 24, 44, 0, kGoldHi, canvas.title_);
  canvas.Text(Wide(plot.description), 24, 46, kWidth - 24, 66, DT_END_ELLIPSIS, kGrey, canvas.normal_);
  const int minPeak = SensitivityToMinPeak(plot.sensitivity);
  std::u16string settings = u"sensitivity " + Number(plot.sensitivity) + u": MinPeak " + Number(minPeak) +
                            u"   Threshold " + Number(kStartUpThreshold) + u"   ZLimit " + Number(kStartUpZLimit) +
                            u"   detectors tick every 50 ms from " + Number(plot.phaseMs) + u" ms   plays: " +
                            Number(static_cast<long long>(plot.Plays().size()));
  canvas.Text(settings, 24, 70, kWidth - 24, 92, 0, kWhite, canvas.normal_);

  // The legend, right-aligned on the title's line.
  struct Item {
    const char16_t* name;
    COLORREF color;
    int dash;
  } items[] = {{u"Threshold", kGoldLo, 6}, {u"MinPeak", kGold, 10}, {u"ZLimit", kGoldPale, 3}};
  int x = kWidth - 24 - 3 * 150 - 180;
  if (TicksShown(plot)) {
    DrawTick(canvas, x - 150, 30);
    canvas.Text(u"tick, every 50 ms", x - 140, 18, x - 10, 42, 0, kGrey, canvas.small_);
  }
  for (const Item& item : items) {
    canvas.HLine(x, x + 40, 29, item.color, item.dash);
    canvas.HLine(x, x + 40, 30, item.color, item.dash);
    canvas.Text(item.name, x + 48, 18, x + 150, 42, 0, kGrey, canvas.small_);
    x += 150;
  }
  canvas.Badge(x, 18, 22, 22, u"n");
  canvas.Text(u"play", x + 28, 18, x + 80, 42, 0, kGrey, canvas.small_);
  canvas.SpentBadge(x + 90, 18, 22, 22);
  canvas.Text(u"spent", x + 118, 18, x + 180, 42, 0, kGrey, canvas.small_);
}

void DrawTable(Canvas& canvas, const TracePlot& plot, int top) {
  canvas.Text(u"Plays per slot at each sensitivity (MinPeak 1000 down to 550)", kLeft, top, kRight, top + 28, 0,
              kGoldHi, canvas.bold_);
  top += 32;
  const int columnWidth = (kRight - kLeft - kTableLabelWidth) / kSensitivities;
  const int left = kLeft, right = kLeft + kTableLabelWidth + columnWidth * kSensitivities;
  const int rows = 1 + SOUND_SLOT_COUNT + 1;
  canvas.Fill(left, top, right, top + rows * kTableRow, kPanel);
  const int chosen = left + kTableLabelWidth + (plot.sensitivity - 1) * columnWidth;
  canvas.Fill(chosen, top, chosen + columnWidth, top + rows * kTableRow, kSelected);

  const char16_t* labels[] = {u"sensitivity", u"slot 1   \u2212Y", u"slot 2   +X", u"slot 3   +Y",
                              u"slot 4   \u2212X", u"slot 5   Z", u"all slots"};
  for (int row = 0; row < rows; ++row) {
    const int y = top + row * kTableRow;
    if (row > 0) canvas.Fill(left, y, right, y + 1, kGrid);
    canvas.Text(labels[row], left + 12, y, left + kTableLabelWidth, y + kTableRow, 0, row == 0 ? kGold : kGrey,
                row == 0 ? canvas.bold_ : canvas.normal_);
    for (int s = 1; s <= kSensitivities; ++s) {
      const int x = left + kTableLabelWidth + (s - 1) * columnWidth;
      const bool selected = s == plot.sensitivity;
      long long count = 0;
      for (const ShakePlay& play : plot.runs[s - 1].plays) count += row == rows - 1 || play.slot == row;
      const std::u16string text = row == 0 ? Number(s) : count ? Number(count) : u"\u00b7";
      const COLORREF color = row == 0 || selected ? kGoldHi : count ? kWhite : kDim;
      canvas.Text(text, x, y, x + columnWidth, y + kTableRow, DT_CENTER, color,
                  row == 0 || selected ? canvas.bold_ : canvas.normal_);
    }
  }
  canvas.Frame(left, top, right, top + rows * kTableRow, kRim);
}

}  // namespace

bool AnalyseTrace(const std::string& path, int sensitivity, DWORD phaseMs, TracePlot* plot,
                  std::string* problem) {
  plot->trace = sensor::TraceSource::Load(path, 0, problem);
  if (!plot->trace) return false;
  plot->name = std::filesystem::path(path).filename().string();
  std::ifstream file(path);
  std::string first;
  if (std::getline(file, first) && first.rfind('#', 0) == 0) {
    const size_t start = first.find_first_not_of("# "), end = first.find_last_not_of(" \r");
    if (start != std::string::npos) plot->description = first.substr(start, end + 1 - start);
  }
  // The trace, a second after its last row (in whole seconds), and at least ten seconds.
  const DWORD last = plot->trace->Rows().back().ms;
  plot->lengthMs = std::max<DWORD>(10000, (last + 1000 + 999) / 1000 * 1000);
  plot->sensitivity = sensitivity;
  plot->phaseMs = phaseMs;
  plot->fromMs = 0;
  plot->toMs = plot->lengthMs;
  for (int s = 1; s <= kSensitivities; ++s) plot->runs[s - 1] = ReplayTrace(path, s, phaseMs, plot->lengthMs);
  return true;
}

bool DrawTracePlot(const TracePlot& plot, const std::string& pngPath) {
  const int panelsBottom = kPanelsTop + 3 * kPanelHeight + 2 * kPanelGap;
  const int tableTop = panelsBottom + 40;
  const int height = tableTop + 32 + 7 * kTableRow + 24;
  Canvas canvas(kWidth, height);
  canvas.Fill(0, 0, kWidth, height, kPage);
  DrawHeader(canvas, plot);
  for (int axis = 0; axis < 3; ++axis) {
    const int top = kPanelsTop + axis * (kPanelHeight + kPanelGap);
    DrawPanel(canvas, plot, axis, MakePanel(plot, axis, top), axis == 2);
  }
  DrawTable(canvas, plot, tableTop);
  return canvas.Save(pngPath);
}
