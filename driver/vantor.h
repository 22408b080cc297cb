/*
 * vantor.h - the public interface of libvantor.so, the CIU driver.
 *
 * The driver owns the serial line to the Computer Interface Unit, the CIU protocol, the
 * point table with its value array, a collection thread and the block tuning exchange.
 * A caller fills the configuration record returned by CiuInitializeCommStruct, loads a
 * point list, opens the connection and reads values while the collection thread keeps
 * them current.  Every function returns an integer status; no exception, window or
 * allocation crosses this boundary.
 *
 * Status codes of the CIU commands: 0 success, -1 the request could not be sent, -2 no
 * valid reply was received, -3 the CIU answered with a nonzero reply code, -4 a reply
 * named an index outside the point table, -5 a reply's index holds a point of another
 * type; positive values are CIU reply codes where a function says so.
 */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define VANTOR_API __attribute__((visibility("default")))
#else
#define VANTOR_API
#endif

/* Slots in the point table: slot 0 is the CIU's own module status, slots 1 to 30 are points. */
#define CIU_POINT_SLOTS 31
/* Entries in the tuning spec table. */
#define CIU_TUNE_SPECS 125
/* The most value bytes a tuning write can carry (its request holds 9 bytes besides). */
#define CIU_TUNE_WRITE_VALUE_BYTES 118
/* Length of LogFileName, its terminating NUL included. */
#define CIU_LOG_NAME_SIZE 120

/*
 * The driver's configuration and status record.  One static instance lives inside the
 * driver; the caller keeps the pointer for the life of the process.  The driver reads the
 * settings each time it uses them.  Fields marked "driver" are written by the driver only.
 * Field order, widths and natural alignment are fixed: callers read the record through
 * the pointer.
 */
typedef struct CiuCommStruct {
    uint16_t BaudRate;                   /* serial speed in bit/s (9600) */
    uint16_t ComPort;                    /* port number: the device is "COM" followed by it (1) */
    int32_t Parity;                      /* 0 none, 1 odd, 2 even, 3 mark, 4 space (0) */
    int32_t DataBits;                    /* data bits per character (8) */
    int32_t StopBits;                    /* 0 one, 1 one and a half, 2 two (0) */
    int32_t CiuMode;                     /* restart strategy (1) */
    uint8_t WatchdogValue;               /* watchdog byte of the restart command (10) */
    uint8_t ResetOptionValue;            /* reset option byte of the restart command (2) */
    uint8_t ReplyDelay;                  /* reply delay byte of the restart command (0) */
    uint8_t AddOption;                   /* additional option byte of the long restart command (0) */
    int32_t RxTimeout;                   /* ms to wait for reply data (5000) */
    int32_t TxTimeout;                   /* ms to wait for a write to complete (5000) */
    int32_t DtrPulse;                    /* ms each phase of the DTR/RTS pulse lasts (700) */
    int32_t RestartInterval;             /* ms to wait after a failed restart (3000) */
    int32_t RestartDelay;                /* ms to wait after the CIU accepted the restart (7000) */
    int32_t ExpDelay;                    /* ms pause at the end of each monitoring cycle (200) */
    int32_t CommandPace;                 /* ms pause before each command, at least 10 (50) */
    int32_t CollectionPriority;          /* thread priority while a command is in progress (15) */
    int32_t IdlePriority;                /* thread priority between commands (0) */
    int32_t CommandCount;                /* driver: commands sent since reset */
    int32_t ErrorCount;                  /* driver: failed commands since reset */
    int32_t RestartCount;                /* driver: restart attempts since reset */
    int32_t RunContinuous;               /* 1: cycles follow one another; 0: wait for StepRequest (1) */
    int32_t StepRequest;                 /* set to 1 to release one cycle when RunContinuous is 0 (1) */
    int32_t LogFileEnabled;              /* write the driver log file (0) */
    int32_t LogFileDetailed;             /* also log every successful step (0) */
    int32_t NonExpEnabled;               /* poll non-exception points, type 99 (0) */
    int32_t ExpReadsEnabled;             /* establish exception points and read exception reports (1) */
    int32_t WriteEnabled;                /* establish and write output points, types 12 and 13 (0) */
    int32_t NonExpPoints;                /* non-exception points polled per cycle (3) */
    int32_t WritePoints;                 /* output points written per cycle (20) */
    int32_t StatusMask;                  /* mask for the value byte of type-6 points (1) */
    int32_t Status80Mask;                /* mask for the value byte of type-80 points (3) */
    float DriverRevision;                /* revision of the driver (1.16) */
    int32_t PointCapacity;               /* slots in the point table, slot 0 included (31) */
    int32_t CiuModuleType;               /* driver: module type reported by the CIU (-1) */
    int32_t CiuModuleMode;               /* driver: mode reported by the CIU (-1) */
    int32_t CiuLoop;                     /* driver: loop number reported by the CIU (-1) */
    int32_t CiuPcu;                      /* driver: PCU number reported by the CIU (-1) */
    int32_t Monitoring;                  /* driver: 1 while the exception monitoring loop runs */
    int32_t ConnectionState;             /* driver: 0 off-line, 1 restarting ... 5 collecting */
    char LogFileName[CIU_LOG_NAME_SIZE]; /* log file name, NUL-terminated ("VANTOR.LOG") */
    int32_t ForceCiu01Mode;              /* use CIU01 compatibility mode whatever the CIU reports (0) */
    int32_t DisableCiu01Mode;            /* never use CIU01 compatibility mode (0) */
} CiuCommStruct;

/* Configuration and connection. */
VANTOR_API CiuCommStruct *CiuInitializeCommStruct(void);
VANTOR_API int CiuCreateEvents(void);
VANTOR_API int CiuDestroyEvents(void);
VANTOR_API int CiuOpenConnection(void);
VANTOR_API int CiuCloseConnection(void);
VANTOR_API int CiuCheckConnected(void);

/*
 * Names the device that "COM<port>" stands for on this machine (for example /dev/ttyUSB0).
 * A null or empty path forgets the choice.  Without one the driver uses the environment
 * variable TK70_COM<port>, else /dev/ttyS<port-1>.  Returns 1, or 0 for a port outside
 * 1 to 255 or a path of 4096 bytes or more.  Takes effect at the next CiuOpenConnection.
 */
VANTOR_API int CiuSetPortDevice(int port, const char *path);

/* Point table and value array. */
VANTOR_API int CiuLoadPointList(int count, const int *indexes, const int *loops, const int *pcus, const int *modules,
                                const int *blocks, const int *types, const int *states, const double *reportValues1,
                                const double *reportValues2, const double *highLimits, const double *lowLimits);
VANTOR_API int CiuReadFromValueArray(int index, double *value, int *quality, int *establishStatus, int *newValue,
                                     int *outputPending);
VANTOR_API int CiuWriteToValueArray(int index, double value, int quality, int *establishStatus,
                                    int *previousOutputPending);

/* CIU commands; the collection thread uses them.  address is Loop * 256 + PCU. */
VANTOR_API int CiuOnline(int on);
VANTOR_API int CiuEstablishPoint(int address, int module, int block, int index, int type);
VANTOR_API int CiuEstablishAndConnectPoint(int address, int module, int block, int index, int type);
VANTOR_API int CiuConnectPointList(int first, int last);
VANTOR_API int CiuEstablishReport(int index, int type, int state, double reportValue1, double reportValue2,
                                  double highLimit, double lowLimit);
VANTOR_API int CiuReadExceptions(void);
VANTOR_API int CiuReadValueList(int first, int last);
VANTOR_API int CiuReadMiscellaneousStatusExceptions(void);
VANTOR_API int CiuReadMiscellaneousStatusList(int first, int last);
VANTOR_API int CiuReadBlock(int address, int module, int block, int index);
VANTOR_API int CiuOutputValue(int index, int type, int bad, double value);

/* Block tuning. */
VANTOR_API int CiuRequestReadTuneSpecs(int loop, int pcu, int module, int block);
VANTOR_API int CiuRequestWriteTuneSpecs(void);
VANTOR_API int CiuIsTunePending(void);
VANTOR_API int CiuResetTuneRequest(void);
VANTOR_API int CiuGetTuneErrorStatus(void);
VANTOR_API int CiuGetTuneFunctionCode(void);
VANTOR_API int CiuGetTuneSpecCount(void);
VANTOR_API double CiuGetTuneSpecValue(int n);
VANTOR_API int CiuGetTuneSpecTunable(int n);
VANTOR_API int CiuGetTuneSpecType(int n);
VANTOR_API int CiuSetTuneSpecValue(int n, double value);
VANTOR_API int CiuReadTuneSpecs(int loop, int pcu, int module, int block);
VANTOR_API int CiuWriteTuneSpecs(void);

#ifdef __cplusplus
} /* extern "C" */
#endif
