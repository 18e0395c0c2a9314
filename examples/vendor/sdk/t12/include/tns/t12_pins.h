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

/*! \brief The function a pin has after a reset
 *
 * \param pin pin number, 0 to 15
 * \return one of \ref tns_pin_fn_t
 */
tns_pin_fn_t tns_t12_reset_function(unsigned pin);

#endif /* TNS_T12_PINS_H */
