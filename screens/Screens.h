// The composition of every page: all widgets of the program, built once at start-up.
#pragma once

// Creates the 57 widgets with their ids, rectangles, images, fonts and texts, links them
// under the root panel and publishes the root last. Every panel but the root starts
// hidden. Expects the skin and the application's resources to be loaded. Returns 1.
int InitTouchUI();
