#ifndef bad_ENUM_H
#define bad_ENUM_H
enum {
};
#endif
