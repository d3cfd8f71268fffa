// ASSERT catches caller mistakes: a broken precondition stops the program with
// the sentence given in the condition. Bad data never reaches an ASSERT; the
// readers check it and report failure instead.
#pragma once

void AfxAssertFailed(const char* expr, const char* file, int line);

#ifndef ASSERT
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailed(#f, __FILE__, __LINE__))
#endif
#endif
#ifdef NDEBUG
#define VERIFY(f) ((void)(f))
#else
#define VERIFY(f) ASSERT(f)
#endif
