/**
 * @file tns_tmr.c
 * @brief The four timers of the Tansy T12 microcontroller.
 */
#include "tns_tmr.h"

#define TNS_TMR_REG(u, r) (*(volatile uint32_t *)(0x40040000u + 0x100u * (uint32_t)(u) + (r)))

/**
 * @brief Configures a timer; it stays stopped.
 * @param[in] unit Timer number, \b Range: [0x0 to 0x3]
 * @param[in] mode Counting mode. Refer @ref tns_tmr_mode_t for valid values.
 * @param[in] period Counts per period.
 */
void tns_tmr_config(uint8_t unit, tns_tmr_mode_t mode, uint32_t period)
{
    TNS_TMR_REG(unit, 0x00u) = (uint32_t)mode;
    TNS_TMR_REG(unit, 0x04u) = period;
}

/**
 * @brief Enables or disables interrupt sources of a timer.
 * @param[in] unit Timer number, \b Range: [0x0 to 0x3]
 * @param[in] ints Sources, a logical OR of members of the enumeration ::tns_tmr_int_t
 * @param[in] enable Whether to enable or disable them.
 */
void tns_tmr_int_enable(uint8_t unit, uint32_t ints, bool enable)
{
    if (enable) {
        TNS_TMR_REG(unit, 0x08u) |= ints;
    } else {
        TNS_TMR_REG(unit, 0x08u) &= ~ints;
    }
}
