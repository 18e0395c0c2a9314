/**
  * @file    tns_gpio.h
  * @brief   General purpose ports of the Tansy T12 microcontroller.
  *
  * The functions are documented in Src/tns_gpio.c.
  */
#ifndef TNS_GPIO_H
#define TNS_GPIO_H

#include <stdbool.h>
#include <stdint.h>

/** @defgroup TNS_GPIO_Pins GPIO pins
  * @{
  */
#define TNS_PIN_0    ((uint16_t)0x0001u)  /*!< pin 0 */
#define TNS_PIN_1    ((uint16_t)0x0002u)  /*!< pin 1 */
#define TNS_PIN_2    ((uint16_t)0x0004u)  /*!< pin 2 */
#define TNS_PIN_3    ((uint16_t)0x0008u)  /*!< pin 3 */
#define TNS_PIN_ALL  ((uint16_t)0x000Fu)  /*!< all four pins */
#define IS_TNS_PIN(PIN) (((PIN) & ~TNS_PIN_ALL) == 0u)
/**
  * @}
  */

/** The three ports. */
typedef enum {
    TNS_PORT_A = 0,
    TNS_PORT_B = 1,
    TNS_PORT_C = 2
} tns_port_t;

/** Direction of a pin. */
typedef enum {
    TNS_GPIO_DIR_IN,  /*!< input, the reset state */
    TNS_GPIO_DIR_OUT  /*!< push-pull output */
} tns_gpio_dir_t;

void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir);
void tns_gpio_write(tns_port_t port, uint16_t pins, bool level);
uint16_t tns_gpio_read(tns_port_t port, uint16_t pin);
void tns_gpio_set_pull(uint8_t portIndex, uint16_t pins, uint8_t pull);

#endif /* TNS_GPIO_H */
