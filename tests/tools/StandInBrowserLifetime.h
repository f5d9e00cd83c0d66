// The stand-in browser control and COM's lifetime on its thread, made visible:
// like the real control, it keeps a hidden window of its own and posts to it
// while it closes; the record says whether COM was still initialised when that
// message was dispatched, and each time the thread uninitialises COM.
#pragma once

// Once per thread: creates the hidden window, keeps the DLL loaded for the life
// of the process (so that a message or a COM callback that comes late finds its
// code), and watches the thread's CoUninitialize calls through an
// IInitializeSpy, recording {"event":"com_uninitialize",
// "apartment_references":N} before each.
void PrepareLifetimeWatch();

// Posts a message to the hidden window; when it is dispatched, the record gets
// {"event":"late_message","com_initialised":BOOL,"result":HRESULT} from
// CoGetApartmentType.
void PostLateMessage();
