// How many allocations the program has made through operator new, on every thread, so far.
#pragma once

long allocationCount();
