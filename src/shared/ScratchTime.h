#pragma once
#include <cstdio>
#include <time.h>
inline void scratchMark(const char *what){ timespec t; clock_gettime(CLOCK_MONOTONIC,&t); std::fprintf(stderr,"MARK %.3f %s\n", t.tv_sec*1e3+t.tv_nsec/1e6, what); }
