#pragma once
// Resource ids, shared by the resource script and the code that loads them.
#define QUARVEL_ICON 1
#define QUARVEL_BANNER 101
#define QUARVEL_BANNER_2X 102
#define QUARVEL_BANNER_1_5X 103
