// The three screen-sized surfaces every paint and transition goes through.
#pragma once

#include <windows.h>

// (Re)creates FrameBuffer, OutgoingBuffer and IncomingBuffer, each a memory context
// with a bitmap compatible with the window and as large as the whole screen.
void CreateBackBuffers(HWND window);
void DeleteBackBuffers();
