// Layout checks of the host link.
#pragma once

// The host link is a 32-bit wire format: the product and its host are 32-bit programs. A 64-bit
// build of both sides (used to run the tests where a machine cannot run 32-bit code) shares this
// header, so the layout checks below hold for the 32-bit build only.
#if defined(_WIN64)
#define MOX_WIRE32_ASSERT(cond, text) static_assert(true, text)
#else
#define MOX_WIRE32_ASSERT(cond, text) static_assert(cond, text)
#endif
