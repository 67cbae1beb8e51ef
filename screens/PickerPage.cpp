// The sound picker: the list of every sound over the page area, CANCEL and OK on the
// bottom bar.
#include "screens/Compose.h"
#include "screens/ScreenWidgets.h"
#include "screens/WidgetIds.h"
#include "touchui/TouchButton.h"
#include "touchui/TouchSelectList.h"

void CreatePickerPage() {
  Create(ScreenWidgets::PickerList, ID_PICKER_LIST);
  Create(ScreenWidgets::PickerOk, ID_PICKER_OK);
  Create(ScreenWidgets::PickerCancel, ID_PICKER_CANCEL);
  Create(ScreenWidgets::PickerPage, ID_PICKER_PAGE);
}

void ComposePickerPage(const Look& look) {
  const Skin& skin = look.skin;
  const int H = look.screen.H;
  TouchSelectList* list = ScreenWidgets::PickerList.load();
  Place(list, {0, 52, 480, H - 160});
  list->SetSeparatorStyle(SEPARATOR_IMAGE);
  list->SetSeparatorImage(skin.Slt_Separator);
  list->SetSelectionStyle(SELECTION_PATTERN);
  list->SetSelectionImage(skin.Slt_ItemSelected);
  list->SetBackgroundColor(RGB(0, 0, 0));
  list->SetMainFont(skin.Font16);
  list->SetSecondFont(skin.Font14);

  TouchButton* ok = ScreenWidgets::PickerOk.load();
  TouchButton* cancel = ScreenWidgets::PickerCancel.load();
  BottomBarButton(ok, look, 250, TEXT("OK"));
  BottomBarButton(cancel, look, 30, TEXT("CANCEL"));

  Panel(ScreenWidgets::PickerPage.load(), {0, 52, 480, H - 52}, {list, ok, cancel});
}
