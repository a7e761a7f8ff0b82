#pragma once
// The off-screen bitmap and string list that the control skinners share as scratch space, so
// that painting does not make and free them on every message.
//
// Lifetime: made on first use (SkinShared()), freed by FreeSkinShared() at program end; should
// that call be missed, a static owner frees them when the program exits. A use after
// FreeSkinShared() makes a new pair.
//
// The bitmap's context always stretches colour-on-colour: the mode is set again whenever the
// bitmap replaces its image (resizing, a new pixel format). A caller that lets the context go
// with FreeContext() gets a new context in the default mode.

#include "forms/bitmap.h"
#include "forms/strings.h"

class TSkinShared {
public:
    TSkinShared();
    TSkinShared(const TSkinShared&) = delete;
    TSkinShared& operator=(const TSkinShared&) = delete;

    TBitmap& Bitmap() { return bitmap; }
    TStringList& Strings() { return strings; }

private:
    void SetStretchMode();

    TBitmap bitmap;
    TStringList strings;
};

TSkinShared& SkinShared();
void FreeSkinShared();
