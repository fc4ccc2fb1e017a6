#pragma once

// Every timer of the scenario screen, with the interval it has before any handler sets one.
// AutoAnalyzeDelay is the device's own pause before the analysis that follows a disarm.
// RESUMECPRTimer is the monitor's: under today's guidelines compressions start again within 10 s
// of a shock or a no-shock result (10,000 ms is within), so it fires at the first ms past them.
// CPRReleaseTimer lifts the hands halfway through a compression of current guidelines' CPR, whose
// CPRTimer ticks once a compression.
// CAPTIONTimer ends the caption of a sound when the sound has played (its interval is the sound's
// length, read from its file).
// X(name, interval in ms)
#define ARDENTIX_TIMERS(X)            \
    X(ANALYZINGNOWTimer, 1000)        \
    X(BPTIMER, 3000)                  \
    X(BREATHINGTimer, 4000)           \
    X(CALL911TIMER, 750)              \
    X(CHARGETimer, 2000)              \
    X(CHECKFORPULSETimer, 3000)       \
    X(CPRCountdownTimer, 750)         \
    X(CPRTimer, 175)                  \
    X(DISARMTimer, 13000)             \
    X(ELAPSEDSecTIMER, 1000)          \
    X(ENDAnalyzeTimer, 1000)          \
    X(FLASHLEDtimer, 1000)            \
    X(HIDEBVMTimer, 1000)             \
    X(IFNOPULSETimer, 3000)           \
    X(LOWBATTERYINDICATORTIMER, 500)  \
    X(MOTIONDETECTEDTimer, 1000)      \
    X(POWERTIMER2, 150)               \
    X(POWERTimer, 2000)               \
    X(PULSETIMER, 3000)               \
    X(PUSHANALYZETimer, 100)          \
    X(PUSHANALYZEafterCPRTIMER, 2000) \
    X(PUSHTOSHOCKTimer, 1000)         \
    X(ResponsivenessTimer, 100)       \
    X(SCENOVERLabelFLASHTimer, 500)   \
    X(SHOCKTimer, 300)                \
    X(STANDCLEARAnalyzeTIMER, 1000)   \
    X(STANDCLEARShockTimer, 1000)     \
    X(STANDCLEARTIMER, 1000)          \
    X(STARTCPRTimer, 2000)            \
    X(Shaketimer, 250)                \
    X(VENTILATION1Timer, 1000)        \
    X(VENTILATION2Timer, 1000)        \
    X(AutoAnalyzeDelay, 2000)         \
    X(RESUMECPRTimer, 10001)          \
    X(CPRReleaseTimer, 272)           \
    X(CAPTIONTimer, 1000)
