#include "screens/Compose.h"

#include "touchui/TouchButton.h"

void Place(TouchControl* widget, const Box& box) {
  widget->SetBounds(box.x, box.y, box.width, box.height);
}

void Text(TouchControl* widget, const Box& box, const WCHAR* text, HFONT font, UINT format) {
  Place(widget, box);
  widget->SetText(text);
  widget->SetFont(font);
  widget->SetTextFormat(format);
}

void Panel(TouchPanel* panel, const Box& box, std::initializer_list<TouchControl*> children) {
  Place(panel, box);
  panel->SetVisible(false);
  for (TouchControl* child : children) panel->AddChild(child);
}

void BottomBarButton(TouchButton* button, const Look& look, int x, const WCHAR* caption) {
  const Skin& skin = look.skin;
  Frame(button, {x, look.screen.H - 84, 200, 60},
        {{IMAGE_NORMAL, skin.Btn_BottomBar_Up},
         {IMAGE_NORMAL_MASK, skin.Btn_BottomBar_Mask},
         {IMAGE_PRESSED, skin.Btn_BottomBar_Dn},
         {IMAGE_PRESSED_MASK, skin.Btn_BottomBar_Mask}},
        FRAME_MASKED, FIT_CENTERED);
  button->ShowText(true);
  button->SetText(caption);
  button->SetTextFormat(TEXT_CENTERED);
}
