/**
  * @file    tns_gpio.c
  * @brief   General purpose ports of the Tansy T12 microcontroller.
  */
#include "tns_gpio.h"

#define TNS_GPIO_BASE(p)   (0x40020000u + 0x400u * (uint32_t)(p))
#define TNS_GPIO_REG(p, r) (*(volatile uint32_t *)(TNS_GPIO_BASE(p) + (r)))

/**
  * @brief  Sets the direction of one or more pins of a port.
  * @param  port: the port.
  *         This parameter can be one of the following values:
  *         @arg TNS_PORT_A: port A
  *         @arg TNS_PORT_B: port B
  *         @arg TNS_PORT_C: port C
  * @param  pins: the pins to set.
  *         This parameter can be any combination of @ref TNS_GPIO_Pins
  * @param  dir Pin direction.
  * @retval None
  */
void tns_gpio_init(tns_port_t port, uint16_t pins, tns_gpio_dir_t dir)
{
    if (dir == TNS_GPIO_DIR_OUT) {
        TNS_GPIO_REG(port, 0x00u) |= pins;
    } else {
        TNS_GPIO_REG(port, 0x00u) &= ~(uint32_t)pins;
    }
}

/**
  * @brief  Drives output pins high or low.
  * @param  port: This parameter can be a value of @ref tns_port_t
  * @param  pins: the pins to drive.
  *         This parameter can be any combination of the following values:
  *         @arg @ref TNS_PIN_0
  *         @arg @ref TNS_PIN_1
  *         @arg @ref TNS_PIN_2
  *         @arg @ref TNS_PIN_3
  * @param  level true drives the pins high.
  * @retval None
  */
void tns_gpio_write(tns_port_t port, uint16_t pins, bool level)
{
    if (level) {
        TNS_GPIO_REG(port, 0x08u) = pins;
    } else {
        TNS_GPIO_REG(port, 0x0Cu) = pins;
    }
}

/**
  * @brief  Reads one input pin.
  * @param  port :{TNS_PORT_A,TNS_PORT_B} only these ports have inputs
  * @param  pin: the pin.
  *         This parameter can be a value of @ref TNS_GPIO_Pins
  * @retval the pin's level, 0 or 1
  */
uint16_t tns_gpio_read(tns_port_t port, uint16_t pin)
{
    return (TNS_GPIO_REG(port, 0x10u) & pin) != 0u ? 1u : 0u;
}

/**
  * @brief  Sets the pull resistors of input pins.
  * @param  portIndex :{0-2} the port number
  * @param  pins any combination of @ref TNS_GPIO_Pins
  * @param  pull 0 none, 1 up, 2 down
  * @retval None
  */
void tns_gpio_set_pull(uint8_t portIndex, uint16_t pins, uint8_t pull)
{
    TNS_GPIO_REG(portIndex, 0x14u) = ((uint32_t)pull << 16) | pins;
}
