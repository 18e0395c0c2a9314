/**
 * @file tns_tmr.h
 * @brief The four timers of the Tansy T12 microcontroller.
 *
 * The functions are documented in Src/tns_tmr.c.
 */
#ifndef TNS_TMR_H
#define TNS_TMR_H

#include <stdbool.h>
#include <stdint.h>

/** How a timer counts. */
typedef enum tns_tmr_mode {
    TNS_TMR_ONESHOT,
    TNS_TMR_PERIODIC,
    TNS_TMR_PWM
} tns_tmr_mode_t;

/** Interrupt sources of a timer. */
typedef enum {
    TNS_TMR_INT_OVF = 0x1u,
    TNS_TMR_INT_CMP = 0x2u,
    TNS_TMR_INT_CAP = 0x4u
} tns_tmr_int_t;

void tns_tmr_config(uint8_t unit, tns_tmr_mode_t mode, uint32_t period);
void tns_tmr_int_enable(uint8_t unit, uint32_t ints, bool enable);

#endif /* TNS_TMR_H */
