/**
 * @file  t12_pins.h
 * @brief Pin functions of the Tansy T12; other chips of the family have their own.
 */
#ifndef TNS_T12_PINS_H
#define TNS_T12_PINS_H

/** \brief Pin function selectors of the T12 (used as \ref tns_pin_fn_t) */
typedef enum tns_pin_fn_t12 {
    TNS_FN_GPIO = 0, /*!< software controlled */
    TNS_FN_UART = 1, /*!< serial port */
    TNS_FN_SPI = 2,  /*!< serial peripheral bus */
#if TNS_HAS_PWM
    TNS_FN_PWM = 3,  /*!< pulse width modulator, on chips that have one */
#endif
    TNS_FN_NONE = 15 /*!< disconnected */
} tns_pin_fn_t;

#endif /* TNS_T12_PINS_H */
