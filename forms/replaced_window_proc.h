#pragma once
// TReplacedWindowProc: a procedure of ours put in front of a window's own by replacing its
// GWLP_WNDPROC, the way the skinners attach to windows that are not the class library's and the
// class library to the parts of its native controls (TWindowSubclass).
//
// Each window has a small heap record: the procedure that was replaced and our handler. The
// records are found through a map (forms/window_map.h); each Tag, an empty type naming the kind of
// procedure, has its own, so that procedures of different kinds can sit on one window. Detaching
// restores the old procedure only while the window's procedure is still ours; when something else
// has replaced it since, putting the old one back would cut that procedure out of the chain, so the
// record stays as a pass-through (handler cleared) until the window's WM_NCDESTROY frees it. A
// later attach to the same window takes the pass-through record over instead of stacking a second
// one.

#include <windows.h>

#include <functional>
#include <utility>

#include "forms/callback_guard.h"
#include "forms/messages.h"
#include "forms/window_map.h"

template <class Tag>
class TReplacedWindowProc {
public:
    using THandler = std::function<void(TMessage& message)>;

    TReplacedWindowProc() = default;
    ~TReplacedWindowProc() { Detach(); }
    TReplacedWindowProc(const TReplacedWindowProc&) = delete;
    TReplacedWindowProc& operator=(const TReplacedWindowProc&) = delete;

    // False when the window is gone or already has a live procedure of this kind.
    bool Attach(HWND target, THandler newHandler) {
        Detach();
        if (!IsWindow(target)) return false;
        TRecord* record = Records().Find(target);
        if (record && record->owner) return false;
        if (!record) {
            record = new TRecord;
            record->old = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(target, GWLP_WNDPROC));
            Records().Bind(target, record);
            SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
        }
        record->owner = this;
        record->handler = std::move(newHandler);
        window = target;
        current = record;
        return true;
    }

    void Detach() {
        TRecord* record = std::exchange(current, nullptr);
        const HWND attached = std::exchange(window, nullptr);
        if (!record) return;
        if (GetWindowLongPtrW(attached, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc)) {
            SetWindowLongPtrW(attached, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->old));
            Records().Unbind(attached);
            delete record;
        } else {
            record->owner = nullptr;
            record->handler = nullptr;
        }
    }

    HWND Handle() const { return window; }
    bool Attached() const { return current != nullptr; }
    // The procedure that was replaced (null when not attached).
    WNDPROC OldProc() const { return current ? current->old : nullptr; }
    // Our entry point, for tests and for telling whether a window's procedure is ours.
    static WNDPROC EntryPoint() { return &Proc; }
    // Whether a record of this kind is kept for the window, live or a pass-through.
    static bool HasRecord(HWND target) { return Records().Find(target) != nullptr; }

    LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return current ? CallWindowProcW(current->old, window, msg, wParam, lParam) : 0;
    }

private:
    struct TRecord {
        WNDPROC old = nullptr;
        TReplacedWindowProc* owner = nullptr;  // null: a pass-through
        THandler handler;
    };

    static LRESULT CALLBACK Proc(HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
        TRecord* record = Records().Find(target);
        if (!record) return DefWindowProcW(target, msg, wParam, lParam);
        LRESULT result = 0;
        if (record->owner) {
            // A copy: the handler may detach (and so clear the record's) while it runs.
            THandler handler = record->handler;
            result = GuardMessage(target, msg, [&] {
                TMessage message{msg, wParam, lParam, 0};
                handler(message);
                return message.Result;
            });
        } else {
            result = CallWindowProcW(record->old, target, msg, wParam, lParam);
        }
        if (msg == WM_NCDESTROY) {
            // The window is gone: whatever is left of the record goes with it.
            if (TRecord* left = Records().Unbind(target)) {
                if (left->owner) {
                    left->owner->current = nullptr;
                    left->owner->window = nullptr;
                }
                delete left;
            }
        }
        return result;
    }

    static TWindowMap<TRecord>& Records() {
        static TWindowMap<TRecord> records;
        return records;
    }

    HWND window = nullptr;
    TRecord* current = nullptr;
};
