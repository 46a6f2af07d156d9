#pragma once
// The C interface of the bootloader library "blfwk_wrapper_64", as the
// program calls it. The library is not part of the program: it is loaded at
// run time from the program's "fw" folder. Every entry point returns 1 on
// success and anything else on failure, writing its error text (not always
// ended by a NUL) into the caller's buffer of errorLength bytes.

#include <cstdint>

extern "C" {

// The percentage done and two further numbers the program does not use.
typedef void (*BlfwkProgressCallback)(int percent, unsigned int, unsigned int);

typedef int32_t (*BlfwkConnect)(void **handle, int32_t vendorId, int32_t productId, char *error, int32_t errorLength);
typedef int32_t (*BlfwkDisconnect)(void *handle, char *error, int32_t errorLength);
typedef int32_t (*BlfwkReadFlash)(void *handle, uint32_t address, uint32_t length, uint8_t *destination, char *error,
                                  int32_t errorLength);
typedef int32_t (*BlfwkEraseFlashRegion)(void *handle, uint32_t address, uint32_t length, char *error,
                                         int32_t errorLength);
typedef int32_t (*BlfwkWriteFlashData)(void *handle, uint32_t address, const uint8_t *data, uint32_t length,
                                       char *error, int32_t errorLength);
typedef int32_t (*BlfwkReset)(void *handle, char *error, int32_t errorLength);
typedef int32_t (*BlfwkFlashFirmware)(void *handle, const char *hexPath, int32_t option, BlfwkProgressCallback progress,
                                      char *error, int32_t errorLength);
}
