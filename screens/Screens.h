// The composition of every page: all widgets of the program, built once at start-up.
#pragma once

#include <windows.h>

class Skin;

// The application's own bitmaps that the About page shows; they stay the application's.
struct PagePictures {
  HBITMAP About = nullptr;
  HBITMAP DonateUp = nullptr;
  HBITMAP DonateDown = nullptr;
};

// Creates the 57 widgets with their ids, rectangles, images, fonts and texts, links them
// under the root panel and publishes the root last. Every panel but the root starts
// hidden. Without a skin or pictures the widgets are built all the same and draw no
// images. Returns 1.
int InitTouchUI(const Skin* skin = nullptr, const PagePictures& pictures = {});
