/* libzqcamera: a ZQ-M(V)710ALX camera over its serial control channel, for
 * test software of the line. The same protocol code as ZQ-M(V)710ALX Remote
 * and zqctl: the same frames, retries, time-outs and error codes.
 *
 * Status: every int-returning call gives 0 or a count on success, or minus
 * one of the ZQ_ERR_ codes. zq_error_text(camera) then says what failed and
 * why; calls without a handle leave their text in zq_last_error_text().
 * No call prints, opens a window or ends the process.
 *
 * Threads: one handle is used by one thread at a time (any thread, in
 * turn: each handle's work runs on a thread of its own); different handles
 * work in parallel. Calls into one Camera Link serial library are made one
 * at a time, as the library may not be reentrant. A blocking call (a camera
 * that does not answer takes its full time-out) blocks only its own thread.
 */
#ifndef ZQCAMERA_H
#define ZQCAMERA_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(ZQCAMERA_BUILDING)
#define ZQ_API __declspec(dllexport)
#else
#define ZQ_API __declspec(dllimport)
#endif
#else
#define ZQ_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define ZQ_VERSION "1.0.0.0"
#define ZQ_VERSION_MAJOR 1
#define ZQ_VERSION_MINOR 0

/* The camera's error codes, as ZQ-M(V)710ALX Remote numbers them, and the
 * library's own from 100 on. A call returns the negative. */
enum zq_error
{
    ZQ_OK = 0,
    ZQ_ERR_PORT_NUMBER = 2,
    ZQ_ERR_PORT_NOT_OPEN = 3,
    ZQ_ERR_PORT_OPEN = 4,
    ZQ_ERR_TIMEOUT = 5,
    ZQ_ERR_SIZE = 6,
    ZQ_ERR_OVERLAP = 7,
    ZQ_ERR_PURGE = 8,
    ZQ_ERR_BREAK = 9,
    ZQ_ERR_FRAME = 10,
    ZQ_ERR_IO = 11,
    ZQ_ERR_MODE = 12,
    ZQ_ERR_OVERRUN = 13,
    ZQ_ERR_RXOVER = 14,
    ZQ_ERR_PARITY = 15,
    ZQ_ERR_TXFULL = 16,
    ZQ_ERR_DNS = 17,
    ZQ_ERR_PTO = 18,
    ZQ_ERR_OOP = 19,
    ZQ_ERR_UNEXPECTED = 20, /* the camera refused (NAK) */
    ZQ_ERR_REPLY_SIZE = 21,
    ZQ_ERR_NO_STX = 22,
    ZQ_ERR_NO_ETX = 23,
    ZQ_ERR_BAD_CHAR = 24,
    ZQ_ERR_CHECKSUM = 25,
    ZQ_ERR_MSG_SIZE = 26,
    ZQ_ERR_TOO_LONG = 27,
    ZQ_ERR_LINE_SETTING = 28,
    ZQ_ERR_ARGUMENT = 100,     /* a null handle or pointer, an unknown name, a bad rate */
    ZQ_ERR_REFUSED = 101,      /* the value was refused before anything was sent */
    ZQ_ERR_NOT_READABLE = 102, /* the parameter cannot be read from the camera */
    ZQ_ERR_FILE = 103          /* a settings file could not be read or written */
};

typedef struct zq_camera zq_camera;

/* The library's version at run time; ZQ_VERSION is the header's. */
ZQ_API const char *zq_version(void);

/* Opens a serial device ("/dev/ttyUSB0", "COM3") at 9600 or 115200 baud. */
ZQ_API int zq_open_device(const char *device, int baud, zq_camera **out);
/* Opens port `port` of a frame grabber's Camera Link serial library (a path,
 * or a bare name looked for in CLSERIALPATH); baud 0 keeps the port's own
 * rate. The library is loaded once per process. */
ZQ_API int zq_open_cameralink(const char *library, int port, int baud, zq_camera **out);
/* Closes the channel and frees the handle; NULL is ignored. */
ZQ_API void zq_close(zq_camera *camera);

/* Parameters by index ("5") or code name ("GainLevel"). zq_get reads the
 * camera. zq_set checks the value against the register's width, the limits
 * and what the camera's model allows, before anything is sent
 * (-ZQ_ERR_REFUSED), then writes it: 1 when the stored value changed. */
ZQ_API int zq_get(zq_camera *camera, const char *name, int32_t *value);
ZQ_API int zq_set(zq_camera *camera, const char *name, int32_t value);
/* The value last read or written, without camera traffic. */
ZQ_API int zq_stored(const zq_camera *camera, int index, int32_t *value);

/* Every readable parameter from the camera (returns how many were read), or
 * every parameter a settings file holds to the camera (how many written);
 * the first failure stops either. */
ZQ_API int zq_read_all(zq_camera *camera);
ZQ_API int zq_write_all(zq_camera *camera);

/* Settings files (".zq", as the desktop program saves them). zq_save reads
 * every value from the camera first and writes nothing unless all came;
 * zq_load checks the whole file, then writes all its rows (as write-all). */
ZQ_API int zq_save(zq_camera *camera, const char *path);
ZQ_API int zq_load(zq_camera *camera, const char *path);

enum zq_outcome
{
    ZQ_DIFFERS = 0, /* diff: the values differ */
    ZQ_CHANGED = 1, /* apply: taken, but the camera holds another value */
    ZQ_REFUSED = 2  /* apply: the camera refused the file's value */
};
typedef struct zq_difference
{
    int index;
    int32_t expected; /* the file's value */
    int32_t actual;   /* the camera's, or the second file's */
    int outcome;      /* enum zq_outcome */
} zq_difference;

/* Writes a file's rows one by one (a row the camera refuses does not stop
 * the others), reads them back and returns how many were not taken; the
 * first `capacity` of them go to rows (NULL with 0 to count only). */
ZQ_API int zq_apply(zq_camera *camera, const char *path, zq_difference *rows, int capacity);
/* The rows where the camera differs from the file; all != 0 compares every
 * readable row, not only the settings. Reads only. */
ZQ_API int zq_diff(zq_camera *camera, const char *path, int all, zq_difference *rows, int capacity);
/* Two files against each other; no camera. */
ZQ_API int zq_diff_files(const char *path, const char *other, int all, zq_difference *rows,
                         int capacity);

/* What the camera says it is, and what its model allows. */
typedef struct zq_info
{
    char vendor[33];
    char model[33];
    char serial[17];
    char firmware[17];
    int serial_digits; /* 7 or 8 */
    char title[64];    /* the model's name for the control window */
    int gain_max;
    int accel2x;       /* the model offers 2xACCEL */
    int sort_and_test; /* SORT and TEST PATTERN */
    int balance;       /* BALANCE ADJUST, white-spot correction, factory SET */
} zq_info;
ZQ_API int zq_info_read(zq_camera *camera, zq_info *info);

/* The parameter table; no camera. */
enum zq_param_flag
{
    ZQ_PARAM_WRITE_ALL = 1, /* written by write-all and held by settings files */
    ZQ_PARAM_READ = 2,      /* read from the camera */
    ZQ_PARAM_IDENTITY = 4   /* the camera's identity: never written by a file */
};
typedef struct zq_param
{
    int index;
    const char *name;      /* as the control panel labels it */
    const char *code_name; /* "GainLevel"; "" for a row without one */
    int32_t min, max, default_value;
    unsigned flags; /* enum zq_param_flag */
} zq_param;
ZQ_API int zq_param_count(void);
ZQ_API int zq_param_info(int index, zq_param *param);
/* The index of "5" or "GainLevel", or -ZQ_ERR_ARGUMENT. */
ZQ_API int zq_param_index(const char *name);

/* Looks for cameras without changing anything in them, as zqctl scan does:
 * every serial port of the computer, or with a library every port of that
 * Camera Link library. Returns how many were found; the first `capacity`
 * go to found. */
typedef struct zq_found
{
    char channel[256]; /* a device, or "cl-port:N" */
    int port;          /* the grabber's port; -1 for a device */
    int baud;          /* 0 where the grabber's port keeps its rate */
    zq_info info;
} zq_found;
ZQ_API int zq_scan(const char *library, zq_found *found, int capacity);

/* Every byte of this handle's traffic appended to a file, as zqctl --trace;
 * NULL stops. */
ZQ_API int zq_trace(zq_camera *camera, const char *path);

/* The last failure's message and reason; "" after a success. Valid until the
 * handle's next call. */
ZQ_API const char *zq_error_text(const zq_camera *camera);
/* This thread's last failure of a call without a handle (opens, scans,
 * files, bad arguments). */
ZQ_API const char *zq_last_error_text(void);

#ifdef __cplusplus
}
#endif

#endif /* ZQCAMERA_H */
