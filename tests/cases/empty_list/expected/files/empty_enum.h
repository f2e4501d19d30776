#ifndef empty_ENUM_H
#define empty_ENUM_H
enum {
};
#endif
