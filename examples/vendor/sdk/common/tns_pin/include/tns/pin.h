/**
 * @file  pin.h
 * @brief Pin functions and pin events; documented here, beside each prototype.
 */
#ifndef TNS_PIN_H
#define TNS_PIN_H

#include <stdbool.h>
#include <stdint.h>

#include "tns/t12_pins.h"

/** Events a pin can report. */
enum tns_pin_event {
    TNS_EVENT_LOW = 0x1u,  /*!< while the level is low */
    TNS_EVENT_HIGH = 0x2u, /*!< while the level is high */
    TNS_EVENT_FALL = 0x4u, /*!< on a falling edge */
    TNS_EVENT_RISE = 0x8u  /*!< on a rising edge */
};

/*! \brief Selects the function of a pin
 *
 * \param pin pin number, 0 to 15
 * \param fn the function, from list \ref tns_pin_fn_t
 */
void tns_pin_set_function(uint8_t pin, tns_pin_fn_t fn);

/*! \brief Turns the interrupt of some events of a pin on or off
 *
 * \param pin pin number, 0 to 15
 * \param events which events interrupt
 * \param on true to turn them on
 *
 * Events is a bitmask of the following \ref tns_pin_event values:
 *
 *  bit | constant        | when
 *  ----|-----------------|---------------------
 *    0 | TNS_EVENT_LOW   | while the level is low
 *    1 | TNS_EVENT_HIGH  | while the level is high
 *    2 | TNS_EVENT_FALL  | on a falling edge
 *    3 | TNS_EVENT_RISE  | on a rising edge
 */
void tns_pin_set_events(uint8_t pin, uint32_t events, bool on);

/*! \brief Clears events a pin has reported
 *
 * \param pin pin number, 0 to 15
 * \param event_mask the events to clear. See \ref tns_pin_event for details.
 */
void tns_pin_clear_events(uint8_t pin, uint32_t event_mask);

#endif /* TNS_PIN_H */
